// Saving when the disk says no (read-only, full part-way, a folder the user may not write in) and
// saves as root over files of other users, read-only files and links. The tests run as root: each
// fault is made real with a tmpfs mount or by switching the process to the user nobody.
#include "support/as_nobody.h"
#include "support/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace examora;
using namespace examora::testing;

namespace {

enum class Fault { ReadOnlyMount, DiskFull, FolderReadOnlyToUser };

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// "text|flags" for each message shown, and a word on any not titled "Examora".
QStringList Shown(const ScriptedMessages& messages) {
    QStringList shown;
    for (const Prompt& p : messages.prompts)
        shown.append(
            p.text + u'|' + QString::number(p.flags) +
            (p.title == QLatin1String("Examora") ? QString() : QStringLiteral(" titled ") + p.title));
    return shown;
}

// A folder of its own holding the previous data file, made faulty, and the working folder while it
// lives, so that the window's "Examora.TXT" is the file in it.
struct FaultyFolder {
    FaultyFolder(Fault fault, const QByteArray& previous) : fault(fault) {
        // Reachable by nobody: the folder is entered through an absolute path too.
        QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther);
        QDir().mkpath(path);
        mounted = fault != Fault::FolderReadOnlyToUser && Mount(0, "size=64k,mode=0755");
        QFile file(filePath);
        if (!file.open(QIODevice::WriteOnly) || file.write(previous) != previous.size())
            qFatal("cannot write %s", qPrintable(filePath));
        file.close();
        const QByteArray folder = QFile::encodeName(path);
        if (fault == Fault::FolderReadOnlyToUser)
            made = chown(folder.constData(), kNobody, kNoGroup) == 0 &&
                   chown(QFile::encodeName(filePath).constData(), kNobody, kNoGroup) == 0 &&
                   chmod(folder.constData(), 0555) == 0;
        else
            made = mounted && (fault == Fault::DiskFull || Mount(MS_REMOUNT | MS_RDONLY, "size=64k"));
        QDir::setCurrent(path);
    }
    ~FaultyFolder() {
        QDir::setCurrent(previousDir);
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    bool Mount(unsigned long flags, const char* options) const {
        return ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", flags, options) == 0;
    }
    // Takes the fault away. The faults of the user nobody go by themselves: the save after them runs
    // as root again.
    bool Lift() const {
        return fault == Fault::FolderReadOnlyToUser ||
               Mount(MS_REMOUNT, fault == Fault::DiskFull ? "size=16m" : "size=64k");
    }

    const Fault fault;
    const QString previousDir = QDir::currentPath();
    QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("records"));
    const QString filePath = path + QStringLiteral("/Examora.TXT");
    bool mounted = false;
    bool made = false;
};

} // namespace

class TestSaveFaults : public QObject {
    Q_OBJECT
private slots:
    void saveFailsAndKeepsThePreviousFile_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("errorText");
        const QString notAllowed = "Examora.TXT could not be saved: you are not allowed to write there. Your "
                                   "exams are still here; check the permissions of the file and its folder "
                                   "and save again.";
        QTest::newRow("folder on a read-only mount") << int(Fault::ReadOnlyMount) << "en_US" << notAllowed;
        QTest::newRow("disk full part-way through")
            << int(Fault::DiskFull) << "de_DE"
            << "Examora.TXT could not be saved: the disk is full. Your exams are still here; free some space "
               "and save again.";
        QTest::newRow("folder read-only to the user saving")
            << int(Fault::FolderReadOnlyToUser) << "it_IT" << notAllowed;
    }

    // The Save command fails, and so does the save asked for on closing, which keeps the window
    // open: the question, then the same error text.
    void saveFailsAndKeepsThePreviousFile() {
        QFETCH(int, fault);
        QFETCH(QString, locale);
        QFETCH(QString, errorText);
        qInfo().noquote() << "figure fault-case-run" << QTest::currentDataTag();
        if (geteuid() != 0)
            QSKIP("the faults are made with mounts and a switch of user, which need root");
        QLocale::setDefault(QLocale(locale));
        QStringList lines;
        const int records = Fault(fault) == Fault::DiskFull ? 1000 : 3; // 1000 take most of the disk
        for (int i = 0; i < records; ++i)
            lines.append(QStringLiteral("Exam %1 of the long course;2026-06-12;28;6").arg(i));
        // The faulty folder holds the file as the window read it; one more exam is typed.
        const QByteArray previous = DataFile(lines);
        WindowFixture fixture(previous);
        FaultyFolder folder(Fault(fault), previous);
        if (!folder.made)
            QSKIP("the fault cannot be made here");
        fixture.choose("AddExam");
        fixture.typeExam(QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        {
            std::optional<AsNobody> nobody;
            if (Fault(fault) == Fault::FolderReadOnlyToUser)
                QVERIFY(nobody.emplace().Ok());
            fixture.choose("Save");
            fixture.messages().AnswerNext(AnswerYes);
            QVERIFY(!fixture.window().close());
        }
        const QStringList failed{errorText + "|48", "Do you want to save changes ?|36", errorText + "|48"};
        QCOMPARE(Shown(fixture.messages()), failed);
        QCOMPARE(Bytes(folder.filePath), previous);
        QCOMPARE(Entries(folder.path), QStringList{"Examora.TXT"});
        QCOMPARE(fixture.lines().size(), records + 1);

        // With the fault gone, the same window saves everything it holds, and has nothing unsaved.
        QVERIFY(folder.Lift());
        fixture.choose("Save");
        QVERIFY(fixture.window().close());
        QCOMPARE(Shown(fixture.messages()), failed + QStringList{"Data saved to Examora.TXT|64"});
        QCOMPARE(Entries(folder.path), QStringList{"Examora.TXT"});
        QCOMPARE(Bytes(folder.filePath), DataFile(fixture.lines()));
        qInfo().noquote() << "figure fault-case-passed" << QTest::currentDataTag();
    }

    // A save keeps the file's permission bits and its owner, also when root saves another user's
    // file or a read-only one. "Examora.TXT" as a symbolic link stays a link, and the file it names
    // is written, whether or not it was there (a Load then says it is missing); nothing else is left
    // beside them.
    void linkModeAndOwnerSurviveASave_data() {
        QTest::addColumn<QString>("link"); // none: the file itself
        QTest::addColumn<int>("mode");     // 0: no file yet
        QTest::addColumn<bool>("ownedByNobody");
        QTest::newRow("0664 owned by nobody") << "" << 0664 << true;
        QTest::newRow("0444 owned by root") << "" << 0444 << false;
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
        WindowFixture fixture(std::nullopt);
        const QString here = QDir::currentPath();
        link.replace(QStringLiteral("@"), here);
        QVERIFY(QDir().mkdir(QStringLiteral("kept")));
        QVERIFY(QFile::link(QStringLiteral("records.txt"), QStringLiteral("kept/second-link")));
        QVERIFY(link.isEmpty() || QFile::link(link, QStringLiteral("Examora.TXT")));
        const QString target =
            link.isEmpty() ? fixture.dataFilePath() : here + QStringLiteral("/kept/records.txt");
        const QByteArray path = QFile::encodeName(target);
        if (mode) {
            fixture.writeDataFile(DataFile({QStringLiteral("Analysis;6/12/2026;30;6")}));
            QCOMPARE(chmod(path.constData(), static_cast<mode_t>(mode)), 0);
            QVERIFY(!ownedByNobody || chown(path.constData(), kNobody, kNoGroup) == 0);
        }

        fixture.choose("Load");
        fixture.choose("AddExam");
        fixture.typeExam(QStringLiteral("Physics"), QStringLiteral("27"), QStringLiteral("9"));
        fixture.choose("Save");
        const QString read =
            mode ? QStringLiteral("Examora.TXT Loaded|64")
                 : QStringLiteral("Examora.TXT could not be read: No such file or directory. Save writes it "
                                  "anew with the exams shown.|48");
        QCOMPARE(Shown(fixture.messages()),
                 (QStringList{read, QStringLiteral("Data saved to Examora.TXT|64")}));
        QCOMPARE(Bytes(target), DataFile(fixture.lines()));
        struct stat after {};
        QCOMPARE(stat(path.constData(), &after), 0);
        if (mode) {
            QCOMPARE(int(after.st_mode & 07777), mode);
            QCOMPARE(after.st_uid, ownedByNobody ? kNobody : uid_t{0});
            QCOMPARE(after.st_gid, ownedByNobody ? kNoGroup : gid_t{0});
        }
        char linkText[4096] = {};
        QCOMPARE(QString::fromLocal8Bit(linkText, readlink("Examora.TXT", linkText, sizeof linkText - 1)),
                 link);
        QCOMPARE(Entries(here), (QStringList{QStringLiteral("Examora.TXT"), QStringLiteral("kept")}));
        const QStringList kept{QStringLiteral("records.txt"), QStringLiteral("second-link")};
        QCOMPARE(Entries(QStringLiteral("kept")), link.isEmpty() ? kept.mid(1) : kept);
        qInfo().noquote() << "figure fault-case-passed" << QTest::currentDataTag();
    }
};

QTEST_MAIN(TestSaveFaults)
#include "tst_save_faults.moc"
