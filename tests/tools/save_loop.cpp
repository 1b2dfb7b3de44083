// Saves the data file given as argument over and over with ReplaceWholeFile, the two contents of
// save_loop_content.h in turn, until it is killed. It writes "ready" once both contents are built,
// then 'S' on standard output as each save starts and 'D' as it ends, so that whoever kills it
// knows whether a save was under way.
#include "datafile/text_file.h"
#include "save_loop_content.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA-FILE\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QByteArray contents[2] = {examora::testing::SaveLoopContent(0),
                                    examora::testing::SaveLoopContent(1)};
    if (write(STDOUT_FILENO, "ready\n", 6) != 6)
        return 1;
    for (unsigned round = 1;; ++round) {
        if (write(STDOUT_FILENO, "S", 1) != 1)
            return 1;
        if (const auto error = examora::ReplaceWholeFile(path, contents[round % 2])) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(*error));
            return 1;
        }
        if (write(STDOUT_FILENO, "D", 1) != 1)
            return 1;
    }
}
