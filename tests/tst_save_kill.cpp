// A save cut short by SIGKILL: a child process saves 200,000 lines again and again, two contents in
// turn, and is killed at random moments, many times. After every kill the data file is one of the
// two contents, whole: never empty, cut or mixed.
#include "datafile/text_file.h"
#include "save_loop_content.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <csignal>
#include <thread>

using namespace examora;
using namespace examora::testing;

namespace {

constexpr int kKills = 120;
constexpr qint64 kTimeBudgetMs = 90000;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestSaveKill : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void killedSaveLeavesTheOldOrTheNewFile() {
        const QByteArray contents[2] = {SaveLoopContent(0), SaveLoopContent(1)};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));

        // How long one save takes here: the kills are spread over about three of them.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!ReplaceWholeFile(path, contents[0]));
        const qint64 saveUs = std::max<qint64>(clock.nsecsElapsed() / 1000, 1000);

        QRandomGenerator random(20261207);
        int kills = 0, killsDuringSave = 0, partialFiles = 0, strayFiles = 0;
        int found[2] = {0, 0};
        clock.restart();
        while (kills < kKills && clock.elapsed() < kTimeBudgetMs) {
            QProcess saver;
            saver.start(QStringLiteral(EXAMORA_SAVE_LOOP), {path});
            QVERIFY2(saver.waitForStarted(10000), qPrintable(saver.errorString()));
            while (!saver.canReadLine())
                QVERIFY2(saver.waitForReadyRead(20000), "the save loop never got ready");
            QCOMPARE(saver.readLine(), QByteArray("ready\n"));

            std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(3 * saveUs)));
            QCOMPARE(::kill(static_cast<pid_t>(saver.processId()), SIGKILL), 0);
            QVERIFY(saver.waitForFinished(10000));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
            ++kills;
            const QByteArray progress = saver.readAllStandardOutput();
            if (progress.endsWith('S'))
                ++killsDuringSave;

            const QByteArray after = ReadAll(path);
            if (after == contents[0] || after == contents[1]) {
                ++found[after == contents[1] ? 1 : 0];
            } else {
                ++partialFiles;
                qWarning("after kill %d the file has %lld bytes, neither content", kills,
                         qint64(after.size()));
            }
            // A save killed part-way may leave its temporary file beside the data file; it is never
            // the data file and the next save does not need it gone, but it is counted and cleared.
            for (const QString& name :
                 QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
                if (name != QStringLiteral("Examora.TXT")) {
                    ++strayFiles;
                    QVERIFY(QFile::remove(dir.filePath(name)));
                }
            }
        }
        qInfo().noquote() << "figure kills" << kills;
        qInfo().noquote() << "figure kills-during-save" << killsDuringSave;
        qInfo().noquote() << "figure partial-files" << partialFiles;
        qInfo().noquote() << "figure stray-temporary-files" << strayFiles;
        QCOMPARE(partialFiles, 0);
        // Both contents were found after kills: saves did complete between them.
        QVERIFY(found[0] > 0 && found[1] > 0);
        // The kills must really have landed inside saves, or the test proves nothing.
        QVERIFY2(kills >= 40, qPrintable(QStringLiteral("only %1 kills in the time given").arg(kills)));
        QVERIFY2(
            killsDuringSave * 2 >= kills,
            qPrintable(
                QStringLiteral("only %1 of %2 kills came during a save").arg(killsDuringSave).arg(kills)));
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "tst_save_kill.moc"
