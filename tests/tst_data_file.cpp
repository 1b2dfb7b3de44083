// The data file without a window: its lines and encodings, the merge of a save, and the whole-file
// reader and writer under real faults (as root: a full or read-only tmpfs, or acting as user nobody).
#include "datafile/data_file.h"
#include "datafile/data_file_keeper.h"
#include "datafile/file_messages.h"
#include "datafile/text_file.h"
#include "support/as_nobody.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <numeric>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace examora;

namespace {

int OpenFileCount() { // files, folders, pipes and devices alike
    return int(
        QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Everything in a folder: "name=bytes" for a file, "name@target" for a link, "name|" for anything else.
QStringList Listing(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(
             QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name)) {
        QFile file(entry.filePath());
        const bool read = !entry.isSymLink() && entry.isFile() && file.open(QIODevice::ReadOnly);
        entries.append(entry.fileName() + (entry.isSymLink() ? u'@' + entry.symLinkTarget()
                                           : read            ? u'=' + QString::fromLatin1(file.readAll())
                                                             : QStringLiteral("|")));
    }
    return entries;
}

bool SetMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row's bytes are read whole and a byte at a time; rows "as saved" are also what a save
    // of their lines writes.
    void linesAreReadUpToEachLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("asSaved");
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& lines,
                            bool asSaved = false) { QTest::newRow(name) << bytes << lines << asSaved; };
        row("empty file has no line, as saved", {}, {}, true);
        row("CR LF after each line, blanks kept, as saved", "a \r\n b\r\n", {"a ", " b"}, true);
        row("mixed ends, the last line without one", "a\nb\r\nc", {"a", "b", "c"});
        row("blank lines are left out", "a\r\n\r\n\nb\r\n", {"a", "b"});
        row("a lone CR ends a line", "a\rb\r\n", {"a", "b"});
        row("UTF-16 without a mark", QByteArray("a\0;\0b\0\r\0\n\0c\0", 12), {"a;b", "c"});
        row("NUL bytes stay inside their line", QByteArray("a\0b\r\nc", 6),
            {QString::fromUtf8("a\0b", 3), "c"});
        row("UTF-8, as saved", "Universit\xc3\xa0;1\r\n", {"Università;1"}, true);
        row("UTF-8 mark at the start is no part of the name", "\xef\xbb\xbfPhysics;1\r\n", {"Physics;1"});
        row("a first name starting with U+FEFF keeps it, as saved",
            "\xef\xbb\xbf\xef\xbb\xbfPhysics;1\r\nZoo;1\r\n",
            {QChar(0xFEFF) + QStringLiteral("Physics;1"), "Zoo;1"}, true);
        row("Windows-1252 letters of 0x80 to 0x9F", "\x80\x8a\x96\x9c\x9f\r\n", {"€Š–œŸ"});
        row("each line in its own encoding", "caf\xc3\xa9\r\nna\xefve\r\n", {"café", "naïve"});
        row("UTF-16 LE", QByteArray("\xff\xfe\xe0\0\r\0\n\0b\0", 10), {"à", "b"});
        row("UTF-16 BE", QByteArray("\xfe\xff\0\xe0\0\n", 6), {"à"});
    }
    void linesAreReadUpToEachLineEnd() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(bool, asSaved);
        QCOMPARE(DecodeDataLines(bytes), lines);
        DataLineReader reader; // a line end may fall between two pieces, even between CR and LF
        for (qsizetype i = 0; i < bytes.size(); ++i)
            reader.Feed(QByteArrayView(bytes).sliced(i, 1));
        QCOMPARE(reader.Finish().lines.Lines(), lines);
        const QByteArray saved = EncodeDataLines(lines); // in UTF-8 with CR LF, whatever was read
        QCOMPARE(DecodeDataLines(saved), lines);
        if (asSaved)
            QCOMPARE(saved, bytes);
    }

    void onlyRecordLinesAreKeptUnchanged() {
        QCOMPARE(RecordLinesOf({"a ;1/2/2007;1;1", "", "abc", "b;;1;1"}), QStringList{"a ;1/2/2007;1;1"});
    }

    // The lines that are no records keep their places among each other, whatever their encoding,
    // and their dates still tell the file's order of day and month; a save writes them back after
    // the records.
    void keptLinesKeepTheirOrderAndTheirDates() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, "Zeta;no date;1;1\r\nBeta;1/2/2007;28;6\r\nnote\r\nAlpha;31/13/2007;1;1\r\n"
                         "caf\xe9 old;13/2/2007;x\r\nGamma;3/4/2007;1;1\r\nlast\r\nOmega;;1;1\r\n");
        DataFileKeeper keeper(path);
        const DataFileKeeper::ReadOutcome read = keeper.Read();
        QCOMPARE(read.records.Lines(), (QStringList{"Beta;1/2/2007;28;6", "Gamma;3/4/2007;1;1"}));
        QCOMPARE(read.records.Readings().front().date, QDate(2007, 2, 1)); // day first, as 13/2/2007
        const QByteArray kept = "Zeta;no date;1;1\r\nnote\r\nAlpha;31/13/2007;1;1\r\n"
                                "caf\xc3\xa9 old;13/2/2007;x\r\nlast\r\nOmega;;1;1\r\n";
        QCOMPARE(keeper.Kept().FileBytes(), kept);
        QCOMPARE(keeper.Kept().Count(), 6);
        const QByteArray saved = "Beta;1/2/2007;28;6\r\nGamma;3/4/2007;1;1\r\n" + kept;
        QCOMPARE(read.records.FileBytes(keeper.Kept()), saved);
        QCOMPARE(read.records.FileSize(keeper.Kept()), saved.size());
    }

    // A long read tells its progress while the bytes come in, then while their lines are read, and
    // never goes back.
    void readProgressCoversTheBytesThenTheLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, QByteArray("Exam;1/2/2007;28;6\r\n").repeated(140000));
        const qint64 size = QFileInfo(path).size();
        QList<qint64> done;
        DataFileKeeper(path).Read([&](qint64 part, qint64 whole) {
            QCOMPARE(whole, 2 * size);
            done.append(part);
        });
        QVERIFY(std::is_sorted(done.cbegin(), done.cend()));
        QCOMPARE(done.count(size), 2); // the last piece, then the first line
        QVERIFY(done.last() > size && done.last() < 2 * size);
    }

    // What a save writes when another program changed the file: for each line, the count held here
    // where the other program left it as read or made the same change, otherwise its count moved
    // by the change made here; a damaged file erased nothing.
    void changesAreMergedWithTheLinesOnDisk_data() {
        for (const char* column : {"disk", "held", "added", "erased", "merged", "dropped"})
            QTest::addColumn<QStringList>(column);
        QTest::addColumn<bool>("damaged");
        using L = QStringList;
        const auto row = [](const char* name, const L& disk, const L& held, const L& added, const L& erased,
                            const L& merged, const L& dropped = {}, bool damaged = false) {
            QTest::newRow(name) << disk << held << added << erased << merged << dropped << damaged;
        };
        row("both sides added", {"a", "theirs"}, {"a", "mine"}, {"mine"}, {}, {"a", "theirs", "mine"});
        row("erased here, kept there", {"a", "b"}, {"b"}, {}, {"a"}, {"b"});
        row("erased on both sides", {"b"}, {"b"}, {}, {"a"}, {"b"});
        row("one of two equal lines erased", {"a", "a", "b", "c"}, {"a", "b"}, {}, {"a"}, {"a", "b", "c"});
        row("a duplicate erased on both sides", {"a", "b"}, {"a", "b"}, {}, {"a"}, {"a", "b"});
        row("the same line added on both sides", {"a", "x"}, {"a", "x"}, {"x"}, {}, {"a", "x"});
        row("added then erased here", {"a", "z"}, {"a"}, {"x"}, {"x"}, {"a", "z"});
        row("erased there, held here", {"b"}, {"a", "b", "a"}, {}, {}, {"b"}, {"a", "a"});
        row("emptied: damaged", {}, {"a", "b"}, {"b"}, {}, {"a", "b"}, {}, true);
        row("cut: damaged", {"a", "z"}, {"a", "b"}, {}, {}, {"a", "z", "b"}, {}, true);
    }
    void changesAreMergedWithTheLinesOnDisk() {
        QFETCH(QStringList, disk);
        QFETCH(QStringList, held);
        QFETCH(QStringList, added);
        QFETCH(QStringList, erased);
        QFETCH(bool, damaged);
        const MergedLines merged = MergeLines(disk, held, LineChanges{added, erased}, damaged);
        QTEST(merged.lines, "merged");
        QTEST(merged.dropped, "dropped");
        QVERIFY(merged.conflicts.isEmpty());
    }

    // Every byte read, in many pieces, up to the limit and not one more; a file far larger than any
    // list of exams is refused before it is read, so that memory stays bounded.
    void readerTakesEveryByteUpToTheLimit() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        QByteArray bytes(256, 0);
        std::iota(bytes.begin(), bytes.end(), 0);
        bytes = bytes.repeated(1000);
        WriteBytes(path, bytes);
        const int openBefore = OpenFileCount();
        QCOMPARE(ReadWholeFile(path, kMaxDataFileBytes).bytes, bytes);
        QCOMPARE(ReadWholeFile(path, bytes.size()).bytes, bytes);
        for (const qint64 size : {qint64(bytes.size()), kMaxDataFileBytes + 1}) {
            QVERIFY(QFile::resize(path, size)); // sparse: takes no room on the disk
            const FileRead read = ReadWholeFile(path, size - 1);
            QVERIFY(!read.ok && read.bytes.isEmpty());
            QCOMPARE(read.error, QString("it is too large (%1 bytes; at most %2)").arg(size).arg(size - 1));
        }
        QCOMPARE(OpenFileCount(), openBefore);
    }

    // Whatever stands at the file's place, the reader and the writer say what keeps them from it,
    // without waiting on a pipe or a device, and leave everything as it was with nothing left open.
    void readerAndWriterRefuseWhatIsNoFileOfTheirs_data() {
        for (const char* column : {"kind", "readError", "writeError"}) // in writeError, %1: the path
            QTest::addColumn<QString>(column);
        const auto row = [](const char* name, const char* kind, const char* readError,
                            const char* writeError) {
            QTest::newRow(name) << QString(kind) << QString(readError) << QString(writeError);
        };
        row("no file", "none", "No such file or directory", "");
        row("a folder", "folder", "it is a directory, not a file", "%1 is a directory, not a file");
        row("a link to a pipe", "pipe", "it is not a regular file", "%1 is not a regular file");
        row("a link to a device", "device", "it is not a regular file", "%1 is not a regular file");
        row("a file its user may not read or write", "0600", "Permission denied",
            "Existing file %1 is not writable");
        row("a folder its user may not write in", "0666", "", "Permission denied");
    }
    void readerAndWriterRefuseWhatIsNoFileOfTheirs() {
        QFETCH(QString, kind);
        QFETCH(QString, readError);
        QFETCH(QString, writeError);
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir(kDataFileName));
        } else if (kind == "pipe" || kind == "device") {
            // A pipe, or a node of /dev/zero, of its own: a failing writer can replace nothing else.
            const mode_t type = kind == "pipe" ? S_IFIFO | 0644 : S_IFCHR | 0666;
            if (::mknod(QFile::encodeName(dir.filePath(kind)).constData(), type, makedev(1, 5)) != 0)
                QSKIP(qPrintable(QStringLiteral("cannot make a %1 here: ").arg(kind) + qt_error_string(errno)));
            QVERIFY(QFile::link(dir.filePath(kind), path));
        } else if (kind != "none") {
            WriteBytes(path, "old\r\n");
            QVERIFY(SetMode(dir.path(), 0755) && SetMode(path, kind.toUInt(nullptr, 8)));
        }
        const QStringList before = Listing(dir.path());
        const int openBefore = OpenFileCount();
        std::unique_ptr<testing::AsNobody> nobody;
        if (kind.startsWith(u'0') && !(nobody = std::make_unique<testing::AsNobody>())->Ok())
            QSKIP("the test cannot act as the user nobody here");
        const FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        const QString written = ReplaceWholeFile(path, "new\r\n").value_or(QString());
        nobody.reset();
        QCOMPARE(read.error, readError);
        QCOMPARE(read.ok, readError.isEmpty());
        QCOMPARE(written, writeError.replace(QStringLiteral("%1"), path));
        QCOMPARE(Listing(dir.path()), written.isEmpty() ? QStringList{"Examora.TXT=new\r\n"} : before);
        QCOMPARE(OpenFileCount(), openBefore);
    }

    void writerReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, QByteArray(5000, 'x'));
        QVERIFY(SetMode(path, 0640));
        const int openBefore = OpenFileCount();
        QCOMPARE(ReplaceWholeFile(path, "a;1/2/2007;1;1\r\n"), std::nullopt);
        QCOMPARE(Listing(dir.path()), QStringList{"Examora.TXT=a;1/2/2007;1;1\r\n"});
        QCOMPARE(QFile::permissions(path) & 0xF0FF, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(ReplaceWholeFile(path, QByteArray()), std::nullopt); // no exams: an empty file
        QCOMPARE(Listing(dir.path()), QStringList{"Examora.TXT="});
        QCOMPARE(OpenFileCount(), openBefore);
        const QString target = dir.filePath(QStringLiteral("kept/real.txt"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept")));
        WriteBytes(target, "old\r\n");
        QVERIFY(QFile::remove(path) && QFile::link(target, path));
        QCOMPARE(ReplaceWholeFile(path, "linked\r\n"), std::nullopt);
        QCOMPARE(Listing(dir.path()), (QStringList{"Examora.TXT@" + target, "kept|"}));
        QCOMPARE(Listing(dir.filePath("kept")), QStringList{"real.txt=linked\r\n"});
    }

    // The disk fills part-way, then turns read-only: each time the previous file stays whole,
    // nothing is left open or behind, and the reader still reads it.
    void fullOrReadOnlyDiskLeavesThePreviousFileWhole() {
        QTemporaryDir dir;
        const QByteArray where = QFile::encodeName(dir.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs: ") + qt_error_string(errno)));
        const auto unmount = qScopeGuard([&where] { ::umount2(where.constData(), MNT_DETACH); });
        const QString path = dir.filePath(kDataFileName);
        auto refused = [&](const QByteArray& bytes, const QString& error) {
            const QStringList before = Listing(dir.path());
            const int openBefore = OpenFileCount();
            QCOMPARE(ReplaceWholeFile(path, bytes).value_or(QStringLiteral("<saved>")), error);
            QCOMPARE(Listing(dir.path()), before);
            QCOMPARE(OpenFileCount(), openBefore);
        };
        QCOMPARE(ReplaceWholeFile(path, "Physics;12/6/2006;27;9\r\n"), std::nullopt);
        refused(QByteArray(200 * 1024, 'x'), "No space left on device");
        const QByteArray fits(40 * 1024, 'y'); // once there is room again, the same file is written
        QCOMPARE(ReplaceWholeFile(path, fits), std::nullopt);
        QCOMPARE(::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
        refused("new\r\n", "Existing file " + path + " is not writable");
        QCOMPARE(ReadWholeFile(path, kMaxDataFileBytes).bytes, fits);
    }

    // A failed save or export in plain words, with what to do; a cause it does not know is given as
    // the system gave it.
    void failuresSayWhatToDo_data() {
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("exported");
        QTest::newRow("a folder in the way")
            << "/home/u/out.csv is a directory, not a file"
            << "Examora.TXT could not be saved: a folder stands in its place. Your exams are still here; move "
               "the folder away and save again."
            << "out.csv could not be written: a folder stands in its place. Nothing was exported; move the "
               "folder away, or choose another place, and export again.";
        QTest::newRow("a cause not known")
            << "Input/output error."
            << "Examora.TXT could not be saved: Input/output error. Your exams are still here; put the cause "
               "right and save again."
            << "out.csv could not be written: Input/output error. Nothing was exported; put the cause right, "
               "or choose another place, and export again.";
    }
    void failuresSayWhatToDo() {
        QFETCH(QString, error);
        QTEST(SaveFailureMessage(QStringLiteral("Examora.TXT"), error), "saved");
        QTEST(ExportFailureMessage(QStringLiteral("out.csv"), error), "exported");
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_data_file.moc"
