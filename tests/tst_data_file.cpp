// The data file without a window: its lines in and out byte for byte, its encodings, and the
// whole-file reader and writer under real faults (the tests run as root, so a fault is a folder in
// place of the file, a full or read-only tmpfs, or the process acting as the user nobody).
#include "datafile/data_file.h"
#include "datafile/data_file_keeper.h"
#include "datafile/text_file.h"
#include "support/as_nobody.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace examora;
using namespace examora::testing;

namespace {

QByteArray Latin(const char* text, qsizetype size = -1) { return QByteArray(text, size); }

int OpenFileCount() {
    return static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size());
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A tmpfs mounted over a folder for the life of the object.
class TmpfsMount {
public:
    TmpfsMount(const QString& dir, const QByteArray& options, unsigned long flags = 0)
        : dir_(dir.toLocal8Bit()) {
        mounted_ = ::mount("tmpfs", dir_.constData(), "tmpfs", flags, options.constData()) == 0;
        error_ = errno;
    }
    ~TmpfsMount() {
        if (mounted_)
            ::umount2(dir_.constData(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    QString Error() const { return QString::fromLocal8Bit(std::strerror(error_)); }
    bool Remount(const QByteArray& options, unsigned long flags) {
        return ::mount("tmpfs", dir_.constData(), "tmpfs", MS_REMOUNT | flags, options.constData()) == 0;
    }

private:
    QByteArray dir_;
    bool mounted_ = false;
    int error_ = 0;
};

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void linesAreReadUpToEachLineEnd_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file has no line") << QByteArray() << QStringList{};
        QTest::newRow("CR LF after each line") << Latin("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF alone") << Latin("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("last line without an end") << Latin("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("only a line without an end") << Latin("abc") << QStringList{"abc"};
        QTest::newRow("mixed ends") << Latin("a\nb\r\nc") << QStringList{"a", "b", "c"};
        QTest::newRow("blank line between is left out") << Latin("a\r\n\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("empty lines only") << Latin("\r\n\n\r\n") << QStringList{};
        QTest::newRow("a lone CR ends a line") << Latin("a\rb\r\n") << QStringList{"a", "b"};
        QTest::newRow("UTF-16 without a mark")
            << Latin("a\0;\0b\0\r\0\n\0c\0", 12) << QStringList{"a;b", "c"};
        QTest::newRow("NUL bytes stay inside their line")
            << Latin("a\0b\r\nc", 6) << QStringList{QString(QStringLiteral("a")) + QChar(0) + u'b', "c"};
        QTest::newRow("UTF-8") << Latin("Universit\xc3\xa0;1/2/2007;30;6\r\n")
                               << QStringList{QString::fromUtf8("Università;1/2/2007;30;6")};
        QTest::newRow("UTF-8 mark at the start is no part of the name")
            << Latin("\xef\xbb\xbf"
                     "Fisica;1/2/2007;30;6\r\n")
            << QStringList{"Fisica;1/2/2007;30;6"};
        QTest::newRow("Windows-1252 when not UTF-8")
            << Latin("Universit\xe0;1/2/2007;30;6\r\n")
            << QStringList{QString::fromUtf8("Università;1/2/2007;30;6")};
        QTest::newRow("Windows-1252 letters of 0x80 to 0x9F")
            << Latin("\x80\x8a\x9c\x9f\r\n") << QStringList{QString::fromUtf8("€ŠœŸ")};
        QTest::newRow("each line in its own encoding")
            << Latin("caf\xc3\xa9\r\nna\xefve\r\n")
            << QStringList{QString::fromUtf8("café"), QString::fromUtf8("naïve")};
        QTest::newRow("UTF-16 LE") << Latin("\xff\xfe\xe0\0\r\0\n\0b\0", 10)
                                   << QStringList{QString::fromUtf8("à"), "b"};
        QTest::newRow("UTF-16 BE") << Latin("\xfe\xff\0\xe0\0\n", 6) << QStringList{QString::fromUtf8("à")};
    }
    void linesAreReadUpToEachLineEnd() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(DecodeDataLines(bytes), lines);
        // Read in pieces, a line end may fall anywhere, even between CR and LF.
        DataLineReader reader;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            reader.Feed(QByteArrayView(bytes).sliced(i, 1));
        QCOMPARE(reader.Finish().Lines(), lines);
    }

    void onlyRecordLinesAreKeptUnchanged() {
        const QStringList lines{"Physics;12/6/2006;27;9",   "",           "abc",
                                "Chemistry ;3/7/2006;25;6", "Math;;28;9", "Math;3/7/2006;28;9;x",
                                "Math;3/7/2006;abc;"};
        QCOMPARE(RecordLinesOf(lines),
                 (QStringList{"Physics;12/6/2006;27;9", "Chemistry ;3/7/2006;25;6", "Math;3/7/2006;abc;"}));
        QCOMPARE(RecordLinesOf({}), QStringList{});
    }

    void linesAreWrittenInUtf8WithCrLf_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no line writes nothing") << QStringList{} << QByteArray();
        QTest::newRow("CR LF after every line, the last too")
            << QStringList{"Analysis;1/15/2004;30;6", "Physics;12/6/2006;27;9"}
            << Latin("Analysis;1/15/2004;30;6\r\nPhysics;12/6/2006;27;9\r\n");
        QTest::newRow("accented letters in UTF-8")
            << QStringList{QString::fromUtf8("Università;1/2/2007;30;6")}
            << Latin("Universit\xc3\xa0;1/2/2007;30;6\r\n");
        QTest::newRow("a first name starting with U+FEFF keeps it")
            << QStringList{QString(QChar(0xFEFF)) + QStringLiteral("Fisica;1/2/2007;30;6"),
                           "Zoo;1/2/2007;30;6"}
            << Latin("\xef\xbb\xbf\xef\xbb\xbf"
                     "Fisica;1/2/2007;30;6\r\nZoo;1/2/2007;30;6\r\n");
        QTest::newRow("blanks kept") << QStringList{"Chemistry ;3/7/2006;25;6"}
                                     << Latin("Chemistry ;3/7/2006;25;6\r\n");
    }
    void linesAreWrittenInUtf8WithCrLf() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeDataLines(lines), bytes);
        QCOMPARE(DecodeDataLines(bytes), lines);
    }

    void windows1252FileSurvivesAReadAndAWrite() {
        const QByteArray old =
            Latin("Universit\xe0;1/2/2007;30;6\r\nStoria dell'Arte \x96 I;3/7/2006;25;6\r\n");
        const QStringList lines = RecordLinesOf(DecodeDataLines(old));
        QCOMPARE(lines.size(), 2);
        const QByteArray saved = EncodeDataLines(lines);
        QCOMPARE(
            saved,
            Latin("Universit\xc3\xa0;1/2/2007;30;6\r\nStoria dell'Arte \xe2\x80\x93 I;3/7/2006;25;6\r\n"));
        QCOMPARE(DecodeDataLines(saved), lines);
    }

    void wholeFileIsReadByteForByte() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(static_cast<char>(i));
        bytes = bytes.repeated(1000); // 256,000 bytes, more than one piece
        WriteBytes(path, bytes);
        const int openBefore = OpenFileCount();
        const FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(read.ok);
        QCOMPARE(read.bytes, bytes);
        QVERIFY(read.error.isEmpty());
        QCOMPARE(OpenFileCount(), openBefore);
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

    void readerFailuresComeBackWithADescription() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        const int openBefore = OpenFileCount();

        FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(!read.ok);
        QCOMPARE(read.error, QStringLiteral("No such file or directory"));

        QVERIFY(QDir(dir.path()).mkdir(kDataFileName));
        read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(!read.ok);
        QVERIFY2(read.error.contains(QStringLiteral("directory")), qPrintable(read.error));
        QVERIFY(QDir(dir.path()).rmdir(kDataFileName));

        WriteBytes(path, QByteArray(1000, 'x'));
        read = ReadWholeFile(path, 999);
        QVERIFY(!read.ok);
        QVERIFY(read.bytes.isEmpty());
        QVERIFY2(read.error.contains(QStringLiteral("too large")), qPrintable(read.error));
        QVERIFY(ReadWholeFile(path, 1000).ok);
        QCOMPARE(OpenFileCount(), openBefore);
    }

    // A file far larger than any list of exams is refused before it is read: memory stays bounded.
    void hugeFileIsRefusedUnread() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        {
            QFile sparse(path);
            QVERIFY(sparse.open(QIODevice::WriteOnly));
            QVERIFY(sparse.resize(kMaxDataFileBytes + 1)); // sparse: takes no room on the disk
        }
        const FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(!read.ok);
        QVERIFY(read.bytes.isEmpty());
        QVERIFY2(read.error.contains(QStringLiteral("too large")), qPrintable(read.error));
    }

    // Opening a pipe or a device would wait for a writer or read without end.
    void specialFilesAreRefusedWithoutWaiting() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(!read.ok);
        QVERIFY(!read.error.isEmpty());
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(!read.ok);
        QVERIFY(!read.error.isEmpty());
        // Nor is one replaced by a plain file when saved, also not through a link.
        const QString pipe = dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(pipe, path));
        QVERIFY(ReplaceWholeFile(path, Latin("a\r\n")).has_value());
        QVERIFY(QFileInfo(pipe).isSymLink() || !QFileInfo(pipe).isFile());
        QVERIFY(QFileInfo(path).isSymLink());
    }

    // What a save writes when another program changed the file: for each line, the count held here
    // where the other program left it as read or made the same change, otherwise its count moved
    // by the change made here; a damaged file erased nothing.
    void changesAreMergedWithTheLinesOnDisk_data() {
        QTest::addColumn<QStringList>("disk");
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("erased");
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<QStringList>("dropped");
        using L = QStringList;
        QTest::newRow("both sides added") << L{"a", "theirs"} << L{"a", "mine"} << L{"mine"} << L{} << false
                                          << L{"a", "theirs", "mine"} << L{};
        QTest::newRow("erased here, kept there")
            << L{"a", "b"} << L{"b"} << L{} << L{"a"} << false << L{"b"} << L{};
        QTest::newRow("erased on both sides") << L{"b"} << L{"b"} << L{} << L{"a"} << false << L{"b"} << L{};
        QTest::newRow("one of two equal lines erased")
            << L{"a", "a", "b", "c"} << L{"a", "b"} << L{} << L{"a"} << false << L{"a", "b", "c"} << L{};
        QTest::newRow("a duplicate erased on both sides")
            << L{"a", "b"} << L{"a", "b"} << L{} << L{"a"} << false << L{"a", "b"} << L{};
        QTest::newRow("the same line added on both sides")
            << L{"a", "x"} << L{"a", "x"} << L{"x"} << L{} << false << L{"a", "x"} << L{};
        QTest::newRow("added then erased here")
            << L{"a", "z"} << L{"a"} << L{"x"} << L{"x"} << false << L{"a", "z"} << L{};
        QTest::newRow("erased there, held here")
            << L{"b"} << L{"a", "b", "a"} << L{} << L{} << false << L{"b"} << L{"a", "a"};
        QTest::newRow("emptied: damaged")
            << L{} << L{"a", "b"} << L{"b"} << L{} << true << L{"a", "b"} << L{};
        QTest::newRow("cut: damaged")
            << L{"a", "z"} << L{"a", "b"} << L{} << L{} << true << L{"a", "z", "b"} << L{};
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

    void unreadableFileGivesThePlatformText() {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, Latin("Physics;12/6/2006;27;9\r\n"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        const int openBefore = OpenFileCount();
        FileRead read;
        {
            AsNobody nobody;
            if (!nobody.Ok())
                QSKIP("the test cannot act as the user nobody here");
            read = ReadWholeFile(path, kMaxDataFileBytes);
        }
        QVERIFY(!read.ok);
        QCOMPARE(read.error, QStringLiteral("Permission denied"));
        QCOMPARE(OpenFileCount(), openBefore);
    }

    void writerReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        QCOMPARE(ReplaceWholeFile(path, Latin("first\r\n")), std::nullopt);
        QCOMPARE(FileBytes(path), Latin("first\r\n"));
        WriteBytes(path, QByteArray(5000, 'x'));
        const int openBefore = OpenFileCount();
        QCOMPARE(ReplaceWholeFile(path, Latin("a;1/2/2007;1;1\r\n")), std::nullopt);
        QCOMPARE(FileBytes(path), Latin("a;1/2/2007;1;1\r\n"));
        // No exams write an empty file.
        QCOMPARE(ReplaceWholeFile(path, QByteArray()), std::nullopt);
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{kDataFileName});
        QCOMPARE(OpenFileCount(), openBefore);
    }

    void writerKeepsPermissionsAndLinks() {
        QTemporaryDir dir;
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, Latin("old\r\n"));
        const QFile::Permissions mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(path, mode));
        QCOMPARE(ReplaceWholeFile(path, Latin("new\r\n")), std::nullopt);
        QCOMPARE(QFile::permissions(path) & 0xF0FF, mode);

        // A link in the working folder stays a link, and the file it names gets the new lines.
        const QString target = dir.filePath(QStringLiteral("kept/real.txt"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("kept")));
        WriteBytes(target, Latin("old\r\n"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(target, path));
        QCOMPARE(ReplaceWholeFile(path, Latin("linked\r\n")), std::nullopt);
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).symLinkTarget(), target);
        QCOMPARE(FileBytes(target), Latin("linked\r\n"));
    }

    void folderInPlaceOfTheFileIsAFailure() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(kDataFileName));
        const int openBefore = OpenFileCount();
        const auto error = ReplaceWholeFile(dir.filePath(kDataFileName), Latin("a\r\n"));
        QVERIFY(error.has_value());
        QVERIFY2(error->contains(QStringLiteral("directory")), qPrintable(*error));
        QVERIFY(QFileInfo(dir.filePath(kDataFileName)).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{kDataFileName});
        QCOMPARE(OpenFileCount(), openBefore);
    }

    // The disk fills part-way: the previous file stays whole, nothing is left open or behind, and
    // once there is room again the same file is written.
    void fullDiskLeavesThePreviousFileWhole() {
        QTemporaryDir dir;
        TmpfsMount tmpfs(dir.path(), "size=64k,mode=0755");
        if (!tmpfs.Mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs: ") + tmpfs.Error()));
        const QString path = dir.filePath(kDataFileName);
        const QByteArray previous = Latin("Physics;12/6/2006;27;9\r\n");
        QCOMPARE(ReplaceWholeFile(path, previous), std::nullopt);
        const int openBefore = OpenFileCount();
        const auto error = ReplaceWholeFile(path, QByteArray(200 * 1024, 'x'));
        QVERIFY(error.has_value());
        QVERIFY(!error->isEmpty());
        QCOMPARE(FileBytes(path), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{kDataFileName});
        QCOMPARE(OpenFileCount(), openBefore);
        const QByteArray fits(40 * 1024, 'y');
        QCOMPARE(ReplaceWholeFile(path, fits), std::nullopt);
        QCOMPARE(FileBytes(path), fits);
    }

    void readOnlyDiskIsAFailure() {
        QTemporaryDir dir;
        TmpfsMount tmpfs(dir.path(), "size=64k,mode=0755");
        if (!tmpfs.Mounted())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs: ") + tmpfs.Error()));
        const QString path = dir.filePath(kDataFileName);
        const QByteArray previous = Latin("Physics;12/6/2006;27;9\r\n");
        QCOMPARE(ReplaceWholeFile(path, previous), std::nullopt);
        QVERIFY(tmpfs.Remount("size=64k,mode=0755", MS_RDONLY));
        const int openBefore = OpenFileCount();
        const auto error = ReplaceWholeFile(path, Latin("new\r\n"));
        QVERIFY(error.has_value());
        QVERIFY2(!error->isEmpty(), "the failure has a description");
        QCOMPARE(FileBytes(path), previous);
        QCOMPARE(OpenFileCount(), openBefore);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{kDataFileName});
        // The reader still reads it.
        const FileRead read = ReadWholeFile(path, kMaxDataFileBytes);
        QVERIFY(read.ok);
        QCOMPARE(read.bytes, previous);
    }

    void folderWithoutWritePermissionIsAFailure() {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
        const QString path = dir.filePath(kDataFileName);
        WriteBytes(path, Latin("old\r\n"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                                                QFile::WriteOther));
        std::optional<QString> error;
        {
            AsNobody nobody;
            if (!nobody.Ok())
                QSKIP("the test cannot act as the user nobody here");
            error = ReplaceWholeFile(path, Latin("new\r\n"));
        }
        QVERIFY(error.has_value());
        QVERIFY2(!error->isEmpty(), "the failure has a description");
        QCOMPARE(FileBytes(path), Latin("old\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_data_file.moc"
