// Saving when the disk says no: a read-only folder or file, a folder in place of the data file, a
// disk that fills part-way, a user who may not write. Each time the platform's error text is shown,
// the changes stay marked as unsaved, the previous file is whole and no temporary file is left; once
// the fault is gone the same window saves. The tests run as root, so every fault is made real: a
// read-only or tiny tmpfs mount, a folder where the file should be, or the process itself switched
// to the unprivileged user nobody while it saves.
#include "records/conversions.h"
#include "support/as_nobody.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace examora;
using namespace examora::testing;

namespace {

// Runs a system command; returns its error output, or nothing when it succeeded.
std::optional<QString> Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString::fromLocal8Bit(process.readAllStandardError()).trimmed() + process.errorString();
    return std::nullopt;
}

enum class Fault {
    ReadOnlyMount,
    ReadOnlyFileMount,
    FolderInPlace,
    DiskFull,
    FileReadOnlyToUser,
    FolderReadOnlyToUser
};

// A folder of its own holding the previous data file, made faulty, and the working folder while it
// lives, so that the window's "Examora.TXT" is the file in it.
class FaultyFolder {
public:
    FaultyFolder(Fault fault, const QByteArray& previous) : fault_(fault), previousDir_(QDir::currentPath()) {
        // Reachable by nobody: the folder is entered through an absolute path too.
        QFile::setPermissions(root_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                QFile::ReadOther | QFile::ExeOther);
        path_ = root_.filePath(QStringLiteral("records"));
        QDir().mkpath(path_);
        if (fault == Fault::ReadOnlyMount || fault == Fault::DiskFull)
            error_ = Mount({QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                            QStringLiteral("size=64k,mode=0755"), QStringLiteral("tmpfs"), path_},
                           path_);
        if (error_)
            return;
        if (fault == Fault::FolderInPlace) {
            QDir(path_).mkpath(kFile);
            Write(QStringLiteral("%1/%2/inside.txt").arg(path_, kFile), previous);
        } else {
            Write(filePath(), previous);
        }
        if (fault == Fault::ReadOnlyMount)
            error_ = Mount({QStringLiteral("-o"), QStringLiteral("remount,ro"), path_});
        if (fault == Fault::ReadOnlyFileMount) {
            error_ = Mount({QStringLiteral("--bind"), filePath(), filePath()}, filePath());
            if (!error_)
                error_ = Mount({QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), filePath()});
        }
        if (fault == Fault::FileReadOnlyToUser || fault == Fault::FolderReadOnlyToUser) {
            const bool folderLocked = fault == Fault::FolderReadOnlyToUser;
            if (chown(path_.toLocal8Bit().constData(), kNobody, kNoGroup) != 0 ||
                chown(filePath().toLocal8Bit().constData(), kNobody, kNoGroup) != 0 ||
                chmod(path_.toLocal8Bit().constData(), folderLocked ? 0555 : 0755) != 0 ||
                chmod(filePath().toLocal8Bit().constData(), folderLocked ? 0644 : 0444) != 0)
                error_ = QStringLiteral("cannot hand the folder to nobody");
        }
        QDir::setCurrent(path_);
    }
    ~FaultyFolder() {
        QDir::setCurrent(previousDir_);
        for (auto it = mounts_.crbegin(); it != mounts_.crend(); ++it)
            if (Run(QStringLiteral("umount"), {*it}))
                Run(QStringLiteral("umount"), {QStringLiteral("-l"), *it});
    }

    // Why the fault could not be made, if it could not.
    const std::optional<QString>& error() const { return error_; }
    QString filePath() const { return path_ + QLatin1Char('/') + kFile; }
    QStringList entries() const {
        return QDir(path_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
    QByteArray fileBytes() const {
        QFile file(fault_ == Fault::FolderInPlace ? filePath() + QStringLiteral("/inside.txt") : filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    // Takes the fault away, so that the next save can succeed.
    void Lift() {
        // The faults of the user nobody go by themselves: the save after them runs as root again.
        if (fault_ == Fault::ReadOnlyMount || fault_ == Fault::DiskFull)
            QVERIFY(!Mount({QStringLiteral("-o"),
                            fault_ == Fault::DiskFull ? QStringLiteral("remount,size=16m")
                                                      : QStringLiteral("remount,rw"),
                            path_}));
        if (fault_ == Fault::ReadOnlyFileMount) {
            QVERIFY(!Run(QStringLiteral("umount"), {filePath()}));
            mounts_.removeLast();
        }
        if (fault_ == Fault::FolderInPlace)
            QVERIFY(QDir(filePath()).removeRecursively());
    }

private:
    // Mounts or remounts; a new mount point is remembered and taken down at the end.
    std::optional<QString> Mount(const QStringList& arguments, const QString& newMountPoint = {}) {
        auto error = Run(QStringLiteral("mount"), arguments);
        if (!error && !newMountPoint.isEmpty())
            mounts_.append(newMountPoint);
        return error;
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
    }

    inline static const QString kFile = QStringLiteral("Examora.TXT");
    Fault fault_;
    QString previousDir_;
    QTemporaryDir root_;
    QString path_;
    QStringList mounts_;
    std::optional<QString> error_;
};

} // namespace

class TestSaveFaults : public QObject {
    Q_OBJECT
private slots:
    void saveFailsAndKeepsThePreviousFile_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("errorText");
        QTest::addColumn<int>("newRecords");
        QTest::newRow("folder on a read-only mount") << int(Fault::ReadOnlyMount) << "en_US"
                                                     << "Existing file Examora.TXT is not writable" << 3;
        QTest::newRow("file bind-mounted read-only") << int(Fault::ReadOnlyFileMount) << "it_IT"
                                                     << "Existing file Examora.TXT is not writable" << 3;
        QTest::newRow("a folder named Examora.TXT")
            << int(Fault::FolderInPlace) << "en_US"
            << "Examora.TXT could not be read, so it was not replaced: it is a directory, not a file" << 3;
        QTest::newRow("disk full part-way through") << int(Fault::DiskFull) << "de_DE"
                                                    << "No space left on device" << 3000;
        QTest::newRow("file read-only to the user saving")
            << int(Fault::FileReadOnlyToUser) << "it_IT"
            << "Existing file Examora.TXT is not writable" << 3;
        QTest::newRow("folder read-only to the user saving") << int(Fault::FolderReadOnlyToUser) << "en_US"
                                                             << "Permission denied" << 3;
    }

    // The Save command fails, and so does the save asked for on closing, which keeps the window
    // open: the question, then the same error text.
    void saveFailsAndKeepsThePreviousFile() {
        QFETCH(int, fault);
        QFETCH(QString, locale);
        QFETCH(QString, errorText);
        QFETCH(int, newRecords);
        qInfo().noquote() << "figure fault-case-run" << QTest::currentDataTag();
        if (geteuid() != 0)
            QSKIP("the faults are made with mounts and a switch of user, which need root");
        QLocale::setDefault(QLocale(locale));
        const QString date = FormatDateTime(QDate(2026, 6, 12), DateFormat::Short);
        QStringList lines{QStringLiteral("Analysis;%1;30;6").arg(date)};
        const QByteArray previous = DataFile(lines);
        for (int i = 1; i < newRecords; ++i)
            lines.append(QStringLiteral("Exam %1 of the long course;%2;%3;%4")
                             .arg(i, 5, 10, QLatin1Char('0'))
                             .arg(date)
                             .arg(18 + i % 13)
                             .arg(3 + i % 10));
        // The new records are read, erased and the rest saved: the faulty folder holds that, and
        // Undo brings them back as changes not saved yet; one more exam is typed.
        WindowFixture fixture(DataFile(lines));
        fixture.choose("ShowExams");
        for (int row = 1; row < newRecords; ++row)
            fixture.setChecked(row, true);
        fixture.choose("EraseExams");
        fixture.choose("Save");
        QCOMPARE(fixture.dataFileBytes(), previous);
        FaultyFolder folder(Fault(fault), previous);
        if (folder.error())
            QSKIP(qPrintable(QStringLiteral("the fault cannot be made here: ") + *folder.error()));
        fixture.choose("Undo");
        fixture.choose("AddExam");
        fixture.typeExam(QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        QCOMPARE(fixture.lines().size(), newRecords + 1);
        fixture.messages().prompts.clear();
        {
            std::optional<AsNobody> nobody;
            if (Fault(fault) == Fault::FileReadOnlyToUser || Fault(fault) == Fault::FolderReadOnlyToUser)
                QVERIFY(nobody.emplace().Ok());
            fixture.choose("Save");
            fixture.messages().AnswerNext(AnswerYes);
            QVERIFY(!fixture.window().close());
        }
        const QList<Prompt>& prompts = fixture.messages().prompts;
        QCOMPARE(prompts.size(), 3);
        QCOMPARE(prompts[1].text, QStringLiteral("Do you want to save changes ?"));
        QCOMPARE(prompts[1].flags, int(YesNoQuestion));
        for (const Prompt& prompt : {prompts[0], prompts[2]}) {
            QCOMPARE(prompt.text, errorText);
            QCOMPARE(prompt.flags, int(Exclamation));
            QCOMPARE(prompt.title, QStringLiteral("Examora"));
        }
        QCOMPARE(folder.fileBytes(), previous);
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Examora.TXT")});
        QCOMPARE(fixture.lines().size(), newRecords + 1);

        // With the fault gone, the same window saves everything it holds, and has nothing unsaved.
        folder.Lift();
        fixture.choose("Save");
        QCOMPARE(prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(prompts.last().flags, int(Information));
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Examora.TXT")});
        QFile saved(folder.filePath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), DataFile(fixture.lines()));
        QVERIFY(fixture.window().close());
        QCOMPARE(prompts.size(), 4);
        qInfo().noquote() << "figure fault-case-passed" << QTest::currentDataTag();
    }

    // A save keeps the file's permission bits and its owner, also when root saves another user's
    // file or a read-only one. "Examora.TXT" as a symbolic link stays a link, and the file it names
    // is written, whether or not it was there; nothing else is left beside them.
    void linkModeAndOwnerSurviveASave_data() {
        QTest::addColumn<QString>("link"); // none: the file itself
        QTest::addColumn<int>("mode");     // 0: no file yet
        QTest::addColumn<bool>("ownedByNobody");
        QTest::newRow("0600 owned by root") << "" << 0600 << false;
        QTest::newRow("0640 owned by nobody") << "" << 0640 << true;
        QTest::newRow("0664 owned by nobody") << "" << 0664 << true;
        QTest::newRow("0444 owned by root") << "" << 0444 << false;
        QTest::newRow("relative link to a file") << "kept/records.txt" << 0640 << false;
        QTest::newRow("absolute link to a file") << "@/kept/records.txt" << 0640 << false;
        QTest::newRow("link to a link to a file") << "kept/second-link" << 0640 << false;
        QTest::newRow("link to a file not there yet") << "kept/records.txt" << 0 << false;
    }
    void linkModeAndOwnerSurviveASave() {
        QFETCH(QString, link);
        QFETCH(int, mode);
        QFETCH(bool, ownedByNobody);
        qInfo().noquote() << "figure fault-case-run" << QTest::currentDataTag();
        if (geteuid() != 0)
            QSKIP("these are saves made as root, over files that may belong to nobody");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        WindowFixture fixture(std::nullopt);
        const QDir here(QDir::currentPath());
        QVERIFY(here.mkdir(QStringLiteral("kept")));
        QVERIFY(
            QFile::link(QStringLiteral("records.txt"), here.filePath(QStringLiteral("kept/second-link"))));
        const QString target =
            link.isEmpty() ? fixture.dataFilePath() : here.filePath(QStringLiteral("kept/records.txt"));
        const QByteArray path = target.toLocal8Bit();
        if (mode) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(DataFile({QStringLiteral("Analysis;6/12/2026;30;6")}));
            file.close();
            QCOMPARE(chmod(path.constData(), static_cast<mode_t>(mode)), 0);
            QVERIFY(!ownedByNobody || chown(path.constData(), kNobody, kNoGroup) == 0);
        }
        link.replace(QStringLiteral("@"), here.path());
        QVERIFY(link.isEmpty() || symlink(link.toLocal8Bit().constData(), "Examora.TXT") == 0);
        struct stat before {};
        QCOMPARE(stat(path.constData(), &before), mode ? 0 : -1);

        fixture.choose("Load");
        QCOMPARE(fixture.lines().size(), mode ? 1 : 0);
        fixture.choose("AddExam");
        fixture.typeExam(QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"),
                         QStringLiteral("6/13/2026"));
        fixture.choose("Save");
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(fixture.lines().size(), mode ? 2 : 1);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), DataFile(fixture.lines()));
        struct stat after {};
        QCOMPARE(stat(path.constData(), &after), 0);
        if (mode) {
            QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
            QCOMPARE(after.st_uid, before.st_uid);
            QCOMPARE(after.st_gid, before.st_gid);
        }
        char linkText[4096] = {};
        QCOMPARE(QString::fromLocal8Bit(linkText, readlink("Examora.TXT", linkText, sizeof linkText - 1)),
                 link);
        const auto entries = [&here](const QString& folder) {
            return QDir(here.filePath(folder))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        };
        QCOMPARE(entries(QStringLiteral(".")),
                 (QStringList{QStringLiteral("Examora.TXT"), QStringLiteral("kept")}));
        const QStringList kept{QStringLiteral("records.txt"), QStringLiteral("second-link")};
        QCOMPARE(entries(QStringLiteral("kept")), link.isEmpty() ? kept.mid(1) : kept);
        qInfo().noquote() << "figure fault-case-passed" << QTest::currentDataTag();
    }
};

QTEST_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
