#include "TestSupport.h"
#include "preview/Player.h"

#include <QSignalSpy>
#include <QTest>

class TestPlayer : public QObject
{
    Q_OBJECT
    TempAppDir m_dir;
    QString m_clip;

private slots:
    void initTestCase()
    {
        m_clip = MakeClip(
            m_dir.Path("clip.mp4"), 2.5,
            {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac"});
        QVERIFY(!m_clip.isEmpty());
    }

    void duration()
    {
        Player player;
        QVERIFY(player.IsValid());
        QSignalSpy loaded(&player, &Player::loaded);
        player.Load(m_clip, false);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().first().toBool(), true);
        // 2.5 s of video at 30 fps: mpv reports the container's duration.
        QVERIFY2(qAbs(player.DurationMs() - 2500) <= 40,
                 qPrintable(QString::number(player.DurationMs())));
        QCOMPARE(player.DurationMs(), player.Duration100ns() / 10000);
    }

    void unplayable()
    {
        Player player;
        const QString junk = m_dir.WriteFile("junk.avi", QByteArray(5000, 'j'));
        QSignalSpy loaded(&player, &Player::loaded);
        player.Load(junk);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(loaded.first().first().toBool(), false);
        QCOMPARE(player.DurationMs(), 0);
        player.Play(); // harmless
        QCOMPARE(player.DurationMs(), 0);
    }

    void playPauseSeekStop()
    {
        Player player;
        QSignalSpy loaded(&player, &Player::loaded);
        player.Load(m_clip, true);
        QVERIFY(loaded.wait(10000));
        QTRY_VERIFY_WITH_TIMEOUT(player.Position() > 0.3, 5000);
        QVERIFY(player.IsPlaying());
        player.Pause();
        QTRY_VERIFY(!player.IsPlaying());
        QTest::qWait(200);
        const double paused = player.Position();
        QTest::qWait(300);
        QCOMPARE(player.Position(), paused);
        player.Seek(2.0);
        QTRY_VERIFY(qAbs(player.Position() - 2.0) < 0.05);
        player.Stop();
        QTRY_VERIFY(player.Position() < 0.05);
        QVERIFY(!player.IsPlaying());
        QVERIFY(player.DurationMs() > 0); // still known after a stop
    }
};

BRINDLE_TEST_CLASS(TestPlayer)
#include "tst_player.moc"
