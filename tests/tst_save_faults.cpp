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
        switch (fault_) {
        case Fault::ReadOnlyMount:
            QVERIFY(!Mount({QStringLiteral("-o"), QStringLiteral("remount,rw"), path_}));
            break;
        case Fault::DiskFull:
            QVERIFY(!Mount({QStringLiteral("-o"), QStringLiteral("remount,size=16m"), path_}));
            break;
        case Fault::ReadOnlyFileMount:
            QVERIFY(!Run(QStringLiteral("umount"), {filePath()}));
            mounts_.removeLast();
            break;
        case Fault::FolderInPlace:
            QVERIFY(QDir(filePath()).removeRecursively());
            break;
        case Fault::FileReadOnlyToUser:
        case Fault::FolderReadOnlyToUser:
            break; // the save after the fault runs as root again
        }
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

QStringList Records(int count, const QString& date) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("Exam %1 of the long course;%2;%3;%4")
                         .arg(i, 5, 10, QLatin1Char('0'))
                         .arg(date)
                         .arg(18 + i % 13)
                         .arg(3 + i % 10));
    return lines;
}

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
        QTest::newRow("a folder named Examora.TXT") << int(Fault::FolderInPlace) << "en_US"
                                                    << "Examora.TXT is a directory, not a file" << 3;
        QTest::newRow("disk full part-way through") << int(Fault::DiskFull) << "de_DE"
                                                    << "No space left on device" << 3000;
        QTest::newRow("file read-only to the user saving")
            << int(Fault::FileReadOnlyToUser) << "it_IT"
            << "Existing file Examora.TXT is not writable" << 3;
        QTest::newRow("folder read-only to the user saving") << int(Fault::FolderReadOnlyToUser) << "en_US"
                                                             << "Permission denied" << 3;
    }

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
        const QByteArray previous = DataFile({QStringLiteral("Analysis;%1;30;6").arg(date)});
        WindowFixture fixture(previous);
        Form1& w = fixture.window();
        FaultyFolder folder(Fault(fault), previous);
        if (folder.error())
            QSKIP(qPrintable(QStringLiteral("the fault cannot be made here: ") + *folder.error()));

        // The new records: all but the last straight into the store, the last one typed.
        for (const QString& line : Records(newRecords - 1, date))
            w.ExamList->AddItem(line);
        w.AddExam->trigger();
        w.Text[0]->setText(QStringLiteral("Physics"));
        w.Text[2]->setText(QStringLiteral("27"));
        w.Text[3]->setText(QStringLiteral("9"));
        QTRY_VERIFY(w.ExamComm->isEnabled());
        QTest::mouseClick(w.ExamComm, Qt::LeftButton);
        QVERIFY(w.dataChanged);
        const qsizetype promptsBefore = fixture.messages().prompts.size();
        {
            std::optional<AsNobody> nobody;
            if (Fault(fault) == Fault::FileReadOnlyToUser || Fault(fault) == Fault::FolderReadOnlyToUser) {
                nobody.emplace();
                QVERIFY(nobody->Ok());
            }
            w.Save->trigger();
        }
        const QList<Prompt>& prompts = fixture.messages().prompts;
        QCOMPARE(prompts.size(), promptsBefore + 1);
        QVERIFY2(prompts.last().text.contains(errorText), qPrintable(prompts.last().text));
        QCOMPARE(prompts.last().flags, int(Exclamation));
        QCOMPARE(prompts.last().title, QStringLiteral("Examora"));
        QVERIFY(w.dataChanged);
        QCOMPARE(folder.fileBytes(), previous);
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Examora.TXT")});
        QCOMPARE(w.ExamList->ListCount(), newRecords + 1);

        // With the fault gone, the same window saves everything it holds.
        folder.Lift();
        w.Save->trigger();
        QCOMPARE(prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(prompts.last().flags, int(Information));
        QVERIFY(!w.dataChanged);
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Examora.TXT")});
        QFile saved(folder.filePath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), DataFile(w.ExamList->Lines()));
        qInfo().noquote() << "figure fault-case-passed" << QTest::currentDataTag();
    }

    // Closing with unsaved changes and answering Yes on a read-only disk: the question, then the
    // error text; the records stay marked as unsaved and the file as it was.
    void closingOnAReadOnlyDiskKeepsThePreviousFile() {
        qInfo().noquote() << "figure fault-case-run closing on a read-only disk";
        if (geteuid() != 0)
            QSKIP("the read-only disk is a mount, which needs root");
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const QByteArray previous = DataFile({QStringLiteral("Analisi;12/06/2026;30 e lode;6")});
        WindowFixture fixture(previous);
        Form1& w = fixture.window();
        FaultyFolder folder(Fault::ReadOnlyMount, previous);
        if (folder.error())
            QSKIP(qPrintable(QStringLiteral("the fault cannot be made here: ") + *folder.error()));
        w.ExamList->AddItem(QStringLiteral("Fisica;13/06/2026;27;9"));
        w.dataChanged = true;
        fixture.messages().AnswerNext(AnswerYes);
        w.close();
        const QList<Prompt>& prompts = fixture.messages().prompts;
        QCOMPARE(prompts.size(), 2);
        QCOMPARE(prompts[0].text, QStringLiteral("Do you want to save changes ?"));
        QCOMPARE(prompts[0].flags, int(YesNoQuestion));
        QCOMPARE(prompts[1].text, QStringLiteral("Existing file Examora.TXT is not writable"));
        QCOMPARE(prompts[1].flags, int(Exclamation));
        QVERIFY(w.dataChanged);
        QCOMPARE(folder.fileBytes(), previous);
        QCOMPARE(folder.entries(), QStringList{QStringLiteral("Examora.TXT")});
        qInfo().noquote() << "figure fault-case-passed closing on a read-only disk";
    }

    // "Examora.TXT" as a symbolic link: the save writes the file the link names and the link stays.
    void symbolicLinkStaysAndItsFileIsWritten_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("relative link to a file") << "kept/records.txt" << true;
        QTest::newRow("absolute link to a file") << "@/kept/records.txt" << true;
        QTest::newRow("link to a link to a file") << "kept/second-link" << true;
        QTest::newRow("link to a file not there yet") << "kept/records.txt" << false;
    }

    void symbolicLinkStaysAndItsFileIsWritten() {
        QFETCH(QString, link);
        QFETCH(bool, targetExists);
        qInfo().noquote() << "figure fault-case-run symbolic link:" << QTest::currentDataTag();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        WindowFixture fixture(std::nullopt);
        Form1& w = fixture.window();
        const QDir here(QDir::currentPath());
        QVERIFY(here.mkdir(QStringLiteral("kept")));
        const QString target = here.filePath(QStringLiteral("kept/records.txt"));
        const QByteArray previous = DataFile({QStringLiteral("Analysis;6/12/2026;30;6")});
        if (targetExists) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(previous);
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        }
        QVERIFY(
            QFile::link(QStringLiteral("records.txt"), here.filePath(QStringLiteral("kept/second-link"))));
        link.replace(QStringLiteral("@"), here.path());
        QCOMPARE(symlink(link.toLocal8Bit().constData(), "Examora.TXT"), 0);
        const QStringList keptBefore = QDir(here.filePath(QStringLiteral("kept")))
                                           .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);

        w.LoadDataFile();
        QCOMPARE(w.ExamList->ListCount(), targetExists ? 1 : 0);
        w.ExamList->AddItem(QStringLiteral("Physics;6/13/2026;27;9"));
        w.dataChanged = true;
        w.Save->trigger();

        const Prompt& prompt = fixture.messages().prompts.last();
        char linkText[4096] = {};
        QVERIFY(readlink("Examora.TXT", linkText, sizeof linkText - 1) > 0);
        QCOMPARE(QString::fromLocal8Bit(linkText), link);
        QCOMPARE(here.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 (QStringList{QStringLiteral("Examora.TXT"), QStringLiteral("kept")}));
        QFile file(target);
        if (prompt.flags == int(Exclamation)) {
            // Refusing is allowed, with a message and nothing written anywhere.
            QVERIFY(w.dataChanged);
            QCOMPARE(file.exists(), targetExists);
        } else {
            QCOMPARE(prompt.text, QStringLiteral("Data saved to Examora.TXT"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), DataFile(w.ExamList->Lines()));
            struct stat written {};
            QCOMPARE(stat(target.toLocal8Bit().constData(), &written), 0);
            if (targetExists)
                QCOMPARE(written.st_mode & 07777, 0640u);
        }
        QStringList keptAfter = keptBefore;
        if (!targetExists && prompt.flags != int(Exclamation))
            keptAfter = QStringList{QStringLiteral("records.txt"), QStringLiteral("second-link")};
        QCOMPARE(QDir(here.filePath(QStringLiteral("kept")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 keptAfter);
        qInfo().noquote() << "figure fault-case-passed symbolic link:" << QTest::currentDataTag();
    }

    // A save keeps the file's permission bits and its owner.
    void permissionsAndOwnerSurviveASave_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("ownedByNobody");
        QTest::newRow("0600 owned by root") << 0600 << false;
        QTest::newRow("0640 owned by nobody") << 0640 << true;
        QTest::newRow("0664 owned by nobody") << 0664 << true;
        QTest::newRow("0444 owned by root") << 0444 << false;
    }

    void permissionsAndOwnerSurviveASave() {
        QFETCH(int, mode);
        QFETCH(bool, ownedByNobody);
        qInfo().noquote() << "figure fault-case-run permissions:" << QTest::currentDataTag();
        if (geteuid() != 0)
            QSKIP("these are saves made as root, over files that may belong to nobody");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowFixture fixture(DataFile({QStringLiteral("Analysis;12.06.2026;30;6")}));
        Form1& w = fixture.window();
        const QByteArray path = fixture.dataFilePath().toLocal8Bit();
        QCOMPARE(chmod(path.constData(), static_cast<mode_t>(mode)), 0);
        if (ownedByNobody) {
            if (geteuid() != 0)
                QSKIP("handing the file to nobody needs root");
            QCOMPARE(chown(path.constData(), kNobody, kNoGroup), 0);
        }
        struct stat before {};
        QCOMPARE(stat(path.constData(), &before), 0);
        w.ExamList->AddItem(QStringLiteral("Physik;13.06.2026;27;9"));
        w.dataChanged = true;
        w.Save->trigger();
        QCOMPARE(fixture.messages().prompts.last().text, QStringLiteral("Data saved to Examora.TXT"));
        QCOMPARE(fixture.dataFileBytes(), DataFile(w.ExamList->Lines()));
        struct stat after {};
        QCOMPARE(stat(path.constData(), &after), 0);
        // A save keeps the file's owner and permissions, also when root saves another user's file
        // or a read-only one.
        QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        qInfo().noquote() << "figure fault-case-passed permissions:" << QTest::currentDataTag();
    }
};

QTEST_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
