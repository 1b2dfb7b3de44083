// The data file's reader and writer on arbitrary bytes: whatever a file holds, the records read
// into the store, saved and read again are the same lines in the same order, and a second save
// writes the same bytes as the first (a fixed point after one load). Every save also goes through
// the real file: the bytes read back from disk are the bytes written.
#include "fuzz_input.h"
#include "datafile/text_file.h"
#include "datafile/data_file.h"
#include "records/exam_list_model.h"
#include "records/record_line.h"

#include <QDir>
#include <QTemporaryDir>

using namespace examora;
using examora::fuzz::Broken;

namespace {

QString Shown(const QStringList& lines) { return lines.join(QStringLiteral("\\n")).left(400); }

// The store after a load: the file's records, in the store's own order.
QStringList Load(const QByteArray& bytes) {
    ExamListModel store;
    store.ReplaceAll(RecordLinesOf(DecodeDataLines(bytes)));
    for (int i = 0; i < store.ListCount(); ++i)
        if (store.Readings()[static_cast<std::size_t>(i)].date != ReadExam(store.List(i)).value_or(ExamReading{}).date)
            Broken("the store's reading of a line agrees with the line", store.List(i));
    return store.Lines();
}

const QString& ScratchFile() {
    // In memory where the system offers it, so that each input costs no disk write.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/examora-fuzz-XXXXXX")
                                 : QString());
    static const QString path = dir.filePath(kDataFileName);
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Input input = fuzz::TakeInput(data, size);
    const QByteArray bytes(reinterpret_cast<const char*>(input.rest), static_cast<qsizetype>(input.restSize));

    const QStringList held = Load(bytes);
    for (const QString& line : held)
        if (!IsRecordLine(line))
            Broken("the store holds only records", line);

    const QByteArray saved = EncodeDataLines(held);
    const QStringList reread = Load(saved);
    if (reread != held)
        Broken("a saved store reads back as the same lines in the same order",
               Shown(held) + QStringLiteral("  |  ") + Shown(reread));
    if (EncodeDataLines(reread) != saved)
        Broken("a second save writes the same bytes as the first", Shown(held));
    if (RecordLinesOf(DecodeDataLines(saved)) != held)
        Broken("the saved file holds the store's lines in the store's order", Shown(held));

    const QString& path = ScratchFile();
    if (const auto error = ReplaceWholeFile(path, saved))
        Broken("the scratch file can be written", *error);
    const FileRead file = ReadWholeFile(path, kMaxDataFileBytes);
    if (!file.ok || file.bytes != saved)
        Broken("the bytes read from disk are the bytes written", file.error);
    return 0;
}
