// A save cut short by SIGKILL: a child process saves two contents of 200,000 lines in turn, and is
// killed at random moments, many times. After every kill the data file is one of the two, whole.
#include "datafile/text_file.h"
#include "save_loop_content.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestSaveKill : public QObject {
    Q_OBJECT
private slots:
    void killedSaveLeavesTheOldOrTheNewFile() {
        const QByteArray contents[2] = {examora::testing::SaveLoopContent(0),
                                        examora::testing::SaveLoopContent(1)};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Examora.TXT"));
        // How long one save takes here: the kills are spread over about three of them.
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!examora::ReplaceWholeFile(path, contents[0]));
        const qint64 saveUs = std::max<qint64>(clock.nsecsElapsed() / 1000, 1000);

        QRandomGenerator random(20261207);
        int kills = 0, killsDuringSave = 0, strayFiles = 0, found[3] = {}; // found: first, second, neither
        clock.restart();
        while (kills < 120 && clock.elapsed() < 90000) {
            QProcess saver;
            saver.start(QStringLiteral(EXAMORA_SAVE_LOOP), {path});
            QVERIFY2(saver.waitForStarted(10000), qPrintable(saver.errorString()));
            while (!saver.canReadLine())
                QVERIFY2(saver.waitForReadyRead(20000), "the save loop never got ready");
            QCOMPARE(saver.readLine(), QByteArray("ready\n"));
            QThread::usleep(static_cast<unsigned long>(random.bounded(3 * saveUs)));
            saver.kill(); // SIGKILL
            QVERIFY(saver.waitForFinished(10000));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
            ++kills;
            killsDuringSave += saver.readAllStandardOutput().endsWith('S');
            QFile file(path);
            const QByteArray after = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            ++found[after == contents[0] ? 0 : after == contents[1] ? 1 : 2];
            // A save killed part-way may leave its temporary file beside the data file: counted, cleared.
            for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
                if (name != QStringLiteral("Examora.TXT") && QFile::remove(dir.filePath(name)))
                    ++strayFiles;
        }
        qInfo().noquote() << "figure kills" << kills << "figure kills-during-save" << killsDuringSave
                          << "figure partial-files" << found[2] << "figure stray-temporary-files"
                          << strayFiles;
        QCOMPARE(found[2], 0);
        // Saves did complete between kills, and most kills landed inside one, or the test proves nothing.
        QVERIFY2(found[0] > 0 && found[1] > 0 && kills >= 40 && killsDuringSave * 2 >= kills,
                 "too few kills, too few during a save, or one of the contents never found");
    }
};

QTEST_GUILESS_MAIN(TestSaveKill)
#include "tst_save_kill.moc"
