#include "TestSupport.h"
#include "profiles/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString Fixture(const QString& name)
{
    return QStringLiteral(BRINDLE_SOURCE_DIR "/tests/fixtures/ini/") + name;
}

QByteArray Contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestIni : public QObject
{
    Q_OBJECT
private slots:
    void readString_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comment lines are skipped") << "comments.ini"
                                                   << "Main"
                                                   << "Key"
                                                   << "shown";
        QTest::newRow("commented key is absent") << "comments.ini"
                                                 << "Main"
                                                 << "; Key"
                                                 << "<default>";
        QTest::newRow("blanks trimmed") << "blanks.ini"
                                        << "Main"
                                        << "Key"
                                        << "padded value";
        QTest::newRow("present but empty") << "blanks.ini"
                                           << "Main"
                                           << "Empty"
                                           << "";
        QTest::newRow("names without case") << "case.ini"
                                            << "main"
                                            << "KEY"
                                            << "any case";
        QTest::newRow("first duplicate key") << "duplicates.ini"
                                             << "Main"
                                             << "Key"
                                             << "first";
        QTest::newRow("first duplicate section") << "duplicates.ini"
                                                 << "Main"
                                                 << "OnlyLater"
                                                 << "<default>";
        QTest::newRow("byte-order mark") << "bom.ini"
                                         << "Main"
                                         << "Key"
                                         << "after mark";
        QTest::newRow("CRLF") << "crlf.ini"
                              << "Main"
                              << "Key"
                              << "crlf";
        QTest::newRow("double quotes") << "quotes.ini"
                                       << "Main"
                                       << "Double"
                                       << "quoted text";
        QTest::newRow("single quotes") << "quotes.ini"
                                       << "Main"
                                       << "Single"
                                       << "single";
        QTest::newRow("mismatched quotes kept") << "quotes.ini"
                                                << "Main"
                                                << "Mixed"
                                                << "\"mixed'";
        QTest::newRow("one pair only") << "quotes.ini"
                                       << "Main"
                                       << "Twice"
                                       << "\"twice\"";
        QTest::newRow("inner quotes kept") << "quotes.ini"
                                           << "Main"
                                           << "Inner"
                                           << "a \"b\" c";
        QTest::newRow("lone quote kept") << "quotes.ini"
                                         << "Main"
                                         << "Lone"
                                         << "\"";
        QTest::newRow("before any section") << "no_section.ini"
                                            << "Main"
                                            << "Key"
                                            << "<default>";
        QTest::newRow("absent section") << "case.ini"
                                        << "Other"
                                        << "Key"
                                        << "<default>";
        QTest::newRow("absent file") << "missing.ini"
                                     << "Main"
                                     << "Key"
                                     << "<default>";
    }
    void readString()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(IniFile(Fixture(fixture)).ReadString(section, key, "<default>"), expected);
    }

    void longValueCut()
    {
        const IniFile ini(Fixture("long_value.ini"));
        QCOMPARE(ini.ReadString("Main", "Long"), QString(2047, u'x'));
        QCOMPARE(ini.ReadString("Main", "QuotedLong"), QString(2047, u'y'));
    }

    void integers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("flag");
        // Default 77 for integers, true for booleans.
        QTest::newRow("dollar hex") << "Hex" << 31 << true;
        QTest::newRow("0x hex") << "Hex0x" << 1 << true;
        QTest::newRow("leading blank trimmed") << "Neg" << -5 << true;
        QTest::newRow("trailing blank trimmed") << "Trailing" << 5 << true;
        QTest::newRow("word gives default") << "Word" << 77 << true;
        QTest::newRow("2 is true") << "Two" << 2 << true;
        QTest::newRow("empty gives default") << "Empty" << 77 << true;
        QTest::newRow("beyond 32 bits") << "Huge" << 77 << true;
        QTest::newRow("nine hex digits") << "Nine" << 77 << true;
        QTest::newRow("absent") << "Absent" << 77 << true;
    }
    void integers()
    {
        QFETCH(QString, key);
        QFETCH(int, value);
        QFETCH(bool, flag);
        const IniFile ini(Fixture("integers.ini"));
        QCOMPARE(ini.ReadInteger("Main", key, 77), value);
        QCOMPARE(ini.ReadBool("Main", key, true), flag);
        QCOMPARE(ini.ReadBool("Main", "Word", false), false);
    }

    void writes_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replaced where it stands")
            << QByteArray("[Main]\nA=1\nB=2\n[Other]\nB=3\n") << "main"
            << "b" << QByteArray("[Main]\nA=1\nB=new\n[Other]\nB=3\n");
        QTest::newRow("added after the section's last entry")
            << QByteArray("[Main]\nA=1\n\n[Other]\nB=3\n") << "Main"
            << "C" << QByteArray("[Main]\nA=1\nC=new\n\n[Other]\nB=3\n");
        QTest::newRow("section added at the end")
            << QByteArray("[Main]\nA=1\n") << "Extra"
            << "K" << QByteArray("[Main]\nA=1\n[Extra]\nK=new\n");
        QTest::newRow("file created") << QByteArray() << "Main"
                                      << "K" << QByteArray("[Main]\nK=new\n");
        QTest::newRow("comments and other keys kept")
            << QByteArray("; note\n[Main]\n; A=old\nA=1\n") << "Main"
            << "A" << QByteArray("; note\n[Main]\n; A=old\nA=new\n");
        QTest::newRow("CRLF kept") << QByteArray("[Main]\r\nA=1\r\n") << "Main"
                                   << "B" << QByteArray("[Main]\r\nA=1\r\nB=new\r\n");
        QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[Main]\nA=1\n") << "Main"
                                              << "A" << QByteArray("\xEF\xBB\xBF[Main]\nA=new\n");
        QTest::newRow("missing final line ending") << QByteArray("[Main]\nA=1") << "Main"
                                                   << "A" << QByteArray("[Main]\nA=new\n");
    }
    void writes()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        TempAppDir dir;
        const QString path = dir.Path("test.ini");
        if (!before.isNull()) {
            dir.WriteFile("test.ini", before);
        }
        const IniFile ini(path);
        QVERIFY(ini.WriteString(section, key, "new"));
        QCOMPARE(Contents(path), after);
        QCOMPARE(ini.ReadString(section, key), QStringLiteral("new"));
    }

    void typedWrites()
    {
        TempAppDir dir;
        const IniFile ini(dir.Path("t.ini"));
        QVERIFY(ini.WriteBool("Main", "On", true));
        QVERIFY(ini.WriteBool("Main", "Off", false));
        QVERIFY(ini.WriteInteger("Main", "N", -12));
        QCOMPARE(Contents(ini.Path()), QByteArray("[Main]\nOn=1\nOff=0\nN=-12\n"));
        QCOMPARE(ini.ReadInteger("Main", "N", 0), -12);
    }

    void failedWrites()
    {
        TempAppDir dir;
        const QString path = dir.WriteFile("ro.ini", "[Main]\nA=1\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const IniFile ini(path);
        QVERIFY(!ini.WriteString("Main", "A", "2"));
        QCOMPARE(ini.WriteError(), "Unable to write to " + path);
        QCOMPARE(Contents(path), QByteArray("[Main]\nA=1\n"));

        const IniFile nowhere(dir.Path("no/such/folder/p.ini"));
        QVERIFY(!nowhere.WriteString("Main", "A", "2"));
        QCOMPARE(nowhere.WriteError(), "Unable to write to " + dir.Path("no/such/folder/p.ini"));
    }

    // The replacement leaves no temporary file behind and keeps the file's permissions.
    void atomicReplacement()
    {
        TempAppDir dir;
        const QString path = dir.WriteFile("p.ini", "[Main]\nA=1\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(IniFile(path).WriteString("Main", "A", "2"));
        QCOMPARE(QDir(dir.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"p.ini"});
        QCOMPARE(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    }
};

BRINDLE_TEST_CLASS(TestIni)
#include "tst_ini.moc"
