#include "TestSupport.h"
#include "profiles/IniFile.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfileStore.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

QString Fixture(const QString& name)
{
    return QStringLiteral(BRINDLE_SOURCE_DIR "/tests/fixtures/profiles/") + name;
}

QString Args(const QString& path, const ProfileStore& store)
{
    QString args;
    const ProfileError error = BuildProfileArgs(path, store, args);
    return error ? "error: " + *error : args;
}

QStringList Names(const ProfileStore& store, ProfileGroup g)
{
    QStringList names;
    for (const ProfileRow& row : store.Rows(g)) {
        names += row.name;
    }
    return names;
}

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT
private slots:
    void splitCommaList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("closed") << "A,B,C," << QStringList{"A", "B", "C"};
        QTest::newRow("last item dropped") << "A,B,C" << QStringList{"A", "B"};
        QTest::newRow("empty item counts") << ",A," << QStringList{"", "A"};
        QTest::newRow("blanks kept") << " a , b," << QStringList{" a ", " b"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("no comma") << "320x240" << QStringList{};
        QTest::newRow("one size without closing comma")
            << "320x240,640x480" << QStringList{"320x240"};
    }
    void splitCommaList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(SplitCommaList(text), items);
    }

    void listOrder()
    {
        TempAppDir app;
        app.WriteFile("Profiles/b.apf", "");
        app.WriteFile("Profiles/A.APF", "");
        app.WriteFile("Profiles/c.txt", "");
        app.WriteFile("Profiles/.hidden.apf", "");
        app.WriteFile("Profiles/noext", "");
        app.WriteFile("Profiles/my.profile.Apf", "");
        QDir(app.Path("Profiles")).mkdir("d.apf");
        const FileListing files = ListFilesByExt(app.Paths().ProfileDir(), ".APF");
        QVERIFY(files.error.isEmpty());
        QCOMPARE(files.names, (QStringList{"A.APF", "b.apf", "my.profile.Apf"}));
        QCOMPARE(ListProfiles(app.Paths().ProfileDir()).names,
                 (QStringList{"A", "b", "my.profile"}));
    }

    void listMissingFolder()
    {
        TempAppDir app;
        const FileListing files = ListProfiles(app.Path("Nowhere/"));
        QVERIFY(files.names.isEmpty());
        QVERIFY(!files.error.isEmpty());
    }

    void designedRows()
    {
        const ProfileStore store;
        QCOMPARE(Names(store, ProfileGroup::Video),
                 (QStringList{"Video Codec", "Video Size", "Bit Rate", "Frame Rate", "Aspect",
                              "Disable Video"}));
        QCOMPARE(Names(store, ProfileGroup::Audio),
                 (QStringList{"Audio Codec", "Audio Bitrate", "Sample Rate", "Channels", "Volumn",
                              "Disable Audio"}));
        QCOMPARE(Names(store, ProfileGroup::Advanced),
                 (QStringList{"Bit Exact Algorithms", "Deinterlace"}));
        QVERIFY(store.OutputExt().isEmpty());
    }

    void storeRows()
    {
        ProfileStore store;
        QSignalSpy appended(&store, &ProfileStore::rowAppended);
        QSignalSpy changed(&store, &ProfileStore::rowChanged);
        store.SetText(ProfileGroup::Video, "bit rate", "900k");
        QCOMPARE(store.Text(ProfileGroup::Video, "Bit Rate"), QStringLiteral("900k"));
        QCOMPARE(changed.size(), 1);
        store.SetText(ProfileGroup::Audio, "New Row", "x");
        QCOMPARE(appended.size(), 1);
        QCOMPARE(store.RowName(ProfileGroup::Audio, store.RowCount(ProfileGroup::Audio) - 1),
                 QStringLiteral("New Row"));
        store.AppendRow(ProfileGroup::Audio, {"new row", "second", false, {}});
        QCOMPARE(store.Text(ProfileGroup::Audio, "NEW ROW"), QStringLiteral("x")); // first match
        QVERIFY(store.Text(ProfileGroup::Advanced, "Missing").isEmpty());
    }

    void workedExample()
    {
        ProfileStore store;
        const QString path = Fixture("example.apf");
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        QCOMPARE(store.OutputExt(), QStringLiteral(".avi"));
        QCOMPARE(
            store.Rows(ProfileGroup::Video),
            (QList<ProfileRow>{
                {"Video Codec", "Codec B", true, {"Codec A", "Codec B"}},
                {"Video Size", "Original Size", true, {"Original Size", "320x240", "Custom Size"}},
                {"Bit Rate", "800k", false, {}}}));
        QCOMPARE(store.Rows(ProfileGroup::Audio),
                 (QList<ProfileRow>{{"Disable Audio", "Yes", true, {}}}));
        QCOMPARE(store.Rows(ProfileGroup::Advanced),
                 (QList<ProfileRow>{{"Deinterlace", "No", true, {"No", "Yes"}}}));
        QCOMPARE(store.GridHeight(ProfileGroup::Video), 3 * 18);
        QCOMPARE(store.GridHeight(ProfileGroup::Audio), 18);

        QCOMPARE(Args(path, store), QStringLiteral(" -vc cb -vb 800k -na "));
        store.SetText(ProfileGroup::Video, "Video Size", "320x240");
        store.SetText(ProfileGroup::Video, "Bit Rate", "1200k");
        store.SetText(ProfileGroup::Advanced, "Deinterlace", "Yes");
        QCOMPARE(Args(path, store), QStringLiteral(" -vc cb -size 320x240 -vb 1200k -na  -di "));
        store.SetText(ProfileGroup::Video, "Video Size", "640x480"); // a custom size
        store.SetText(ProfileGroup::Video, "Bit Rate", "");
        QCOMPARE(Args(path, store), QStringLiteral(" -vc cb -size 640x480 -na  -di "));
        store.SetText(ProfileGroup::Video, "Video Size", "320X240"); // caption in another case
        store.SetText(ProfileGroup::Video, "Bit Rate", "\\");        // typed "\": option alone
        QCOMPARE(Args(path, store), QStringLiteral(" -vc cb -size 320x240 -vb  -na  -di "));
    }

    // Rows the store does not hold count as empty: fixed parameters still add their value.
    void argsFromAnotherProfile()
    {
        const ProfileStore designed;
        QCOMPARE(Args(Fixture("example.apf"), designed), QStringLiteral(" -na "));
        QCOMPARE(Args(Fixture("missing.apf"), designed), QString());
    }

    void loadErrors()
    {
        ProfileStore store;
        QCOMPARE(LoadProfile(Fixture("example.apf"), store), ProfileError{});
        QSignalSpy heights(&store, &ProfileStore::gridHeightsChanged);
        QCOMPARE(LoadProfile(Fixture("bad_index.apf"), store),
                 ProfileError{"List index out of bounds (2)"});
        QCOMPARE(store.OutputExt(), QStringLiteral(".mkv"));
        QCOMPARE(Names(store, ProfileGroup::Video), QStringList{"Video Codec"});
        QCOMPARE(Names(store, ProfileGroup::Audio),
                 QStringList{"Audio Codec"}); // Channels not read
        QVERIFY(store.Text(ProfileGroup::Audio, "Audio Codec").isEmpty());
        QCOMPARE(heights.size(), 0);
        QCOMPARE(store.GridHeight(ProfileGroup::Video),
                 3 * 18); // as the last complete load left it

        // A missing file changes nothing.
        QCOMPARE(LoadProfile(Fixture("missing.apf"), store), ProfileError{});
        QCOMPARE(store.OutputExt(), QStringLiteral(".mkv"));
    }

    void buildErrors()
    {
        ProfileStore store;
        QCOMPARE(LoadProfile(Fixture("short_values.apf"), store), ProfileError{});
        QCOMPARE(store.OutputExt(), QStringLiteral(".mp4")); // Type absent
        QCOMPARE(Args(Fixture("short_values.apf"), store),
                 QStringLiteral("error: List index out of bounds (2)"));
        store.SetText(ProfileGroup::Video, "Aspect", "4:3");
        QCOMPARE(Args(Fixture("short_values.apf"), store), QStringLiteral(" -aspect 4:3"));
    }

    // A "Sort" other than 1, 2 or 3 leaves the parameter out of loading, building and saving.
    void otherSortLeftOut()
    {
        ProfileStore store;
        QCOMPARE(LoadProfile(Fixture("odd_sort.apf"), store), ProfileError{});
        QCOMPARE(Names(store, ProfileGroup::Video), QStringList{"Video Codec"});
        QCOMPARE(Names(store, ProfileGroup::Advanced), QStringList{"Deinterlace"});
        QCOMPARE(Args(Fixture("odd_sort.apf"), store), QStringLiteral(" -c:v libx264 -vf yadif"));
    }

    void degenerateProfiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("ext");
        QTest::newRow("empty type") << QByteArray("[Main]\nType=\nPara=0\n") << ".";
        QTest::newRow("negative Para") << QByteArray("[Main]\nType=mov\nPara=-3\n0=X\n") << ".mov";
        QTest::newRow("no Main") << QByteArray("[Other]\nA=1\n") << ".mp4";
        QTest::newRow("every cmd empty")
            << QByteArray("[Main]\nPara=1\n0=A\n[A]\nSort=1\nList=0\nCaption=x\n") << ".mp4";
    }
    void degenerateProfiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, ext);
        TempAppDir app;
        const QString path = app.WriteFile("Profiles/p.apf", content);
        ProfileStore store;
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        QCOMPARE(store.OutputExt(), ext);
        QCOMPARE(store.RowCount(ProfileGroup::Audio), 0);
        QCOMPARE(store.GridHeight(ProfileGroup::Audio), 18);
        QCOMPARE(Args(path, store), QString());
    }

    void saveProfile()
    {
        TempAppDir app;
        QFile::copy(Fixture("example.apf"), app.Path("Profiles/example.apf"));
        const QString path = app.Path("Profiles/example.apf");
        ProfileStore store;
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        store.SetText(ProfileGroup::Video, "Video Codec", "codec a"); // caption, other case
        store.SetText(ProfileGroup::Video, "Bit Rate", "1500k");
        store.SetText(ProfileGroup::Advanced, "Deinterlace", "Sometimes"); // no caption
        store.SetText(ProfileGroup::Audio, "Disable Audio", "No");         // read-only: kept
        QCOMPARE(SaveProfile(path, store), ProfileError{});
        const IniFile ini(path);
        QCOMPARE(ini.ReadInteger("Video Codec", "Index", 99), 0);
        QCOMPARE(ini.ReadString("Bit Rate", "Caption"), QStringLiteral("1500k"));
        QCOMPARE(ini.ReadString("Bit Rate", "Value"), QStringLiteral("1500k"));
        QCOMPARE(ini.ReadInteger("Deinterlace", "Index", 99), -1);
        QCOMPARE(ini.ReadString("Disable Audio", "Caption"), QStringLiteral("Yes"));
        QCOMPARE(ini.ReadString("Video Codec", "cmd"), QStringLiteral("-vc"));
        QCOMPARE(ini.ReadString("Main", "Para"), QStringLiteral("5"));

        // The store of another profile writes nothing into this one.
        const QByteArray before = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        ProfileStore other;
        QCOMPARE(LoadProfile(Fixture("bad_index.apf"), other).has_value(), true);
        QCOMPARE(SaveProfile(path, other), ProfileError{});
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void readOnlyPickList()
    {
        TempAppDir app;
        QFile::copy(Fixture("read_only_pick.apf"), app.Path("Profiles/r.apf"));
        const QString path = app.Path("Profiles/r.apf");
        ProfileStore store;
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        store.SetText(ProfileGroup::Audio, "Audio Bitrate", "192k");
        store.SetText(ProfileGroup::Audio, "Channels", "Mono");
        QCOMPARE(Args(path, store), QStringLiteral(" -b:a 192k -ac 1"));
        QCOMPARE(SaveProfile(path, store), ProfileError{});
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        QCOMPARE(store.Text(ProfileGroup::Audio, "Audio Bitrate"), QStringLiteral("128k"));
        QCOMPARE(store.Text(ProfileGroup::Audio, "Channels"), QStringLiteral("Mono"));
    }

    void saveFails()
    {
        TempAppDir app;
        const QString path = app.Path("Profiles/ro.apf");
        QFile::copy(Fixture("example.apf"), path);
        QFile::setPermissions(path, QFile::ReadOwner);
        ProfileStore store;
        QCOMPARE(LoadProfile(path, store), ProfileError{});
        QCOMPARE(SaveProfile(path, store), ProfileError{"Unable to write to " + path});
    }

    void saveAs()
    {
        TempAppDir app;
        const QString source = app.Path("Profiles/example.apf");
        QFile::copy(Fixture("example.apf"), source);
        const QString target = app.WriteFile("Profiles/copy.apf", "[Main]\nType=old\n");
        ProfileStore store;
        QCOMPARE(LoadProfile(source, store), ProfileError{});
        store.SetText(ProfileGroup::Video, "Bit Rate", "2500k");
        QCOMPARE(SaveProfileAs(source, target, store), ProfileError{});
        QCOMPARE(IniFile(target).ReadString("Main", "Type"), QStringLiteral("avi"));
        QCOMPARE(IniFile(target).ReadString("Bit Rate", "Caption"), QStringLiteral("2500k"));
        QCOMPARE(IniFile(source).ReadString("Bit Rate", "Caption"), QStringLiteral("800k"));

        // Onto itself: saved, not lost.
        QCOMPARE(SaveProfileAs(source, source, store), ProfileError{});
        QCOMPARE(IniFile(source).ReadString("Bit Rate", "Caption"), QStringLiteral("2500k"));
        QCOMPARE(IniFile(source).ReadString("Main", "Type"), QStringLiteral("avi"));

        // From a missing source: nothing happens.
        QCOMPARE(SaveProfileAs(app.Path("Profiles/none.apf"), app.Path("Profiles/n2.apf"), store),
                 ProfileError{});
        QVERIFY(!QFile::exists(app.Path("Profiles/n2.apf")));
    }

    // Every shipped profile loads and builds; its default arguments are printed for a reader.
    void shippedProfiles()
    {
        const QString folder = QStringLiteral(BRINDLE_SOURCE_DIR "/data/Profiles/");
        const FileListing listing = ListProfiles(folder);
        QVERIFY(listing.error.isEmpty());
        QVERIFY(listing.names.size() >= 9);
        for (const QString& name : listing.names) {
            ProfileStore store;
            const QString path = folder + name + ".apf";
            QCOMPARE(LoadProfile(path, store), ProfileError{});
            QString args;
            QCOMPARE(BuildProfileArgs(path, store, args), ProfileError{});
            qInfo().noquote() << name << "->" << store.OutputExt() << ":" << args;
            QVERIFY(!args.isEmpty());
            const ProfileRow* size = store.Row(ProfileGroup::Video, "Video Size");
            if (size && !size->pickList.isEmpty()) {
                QVERIFY(size->pickList.contains("Original Size"));
                QVERIFY(size->pickList.contains("Custom Size"));
            }
        }
    }
};

BRINDLE_TEST_CLASS(TestProfiles)
#include "tst_profiles.moc"
