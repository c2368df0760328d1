// The settings store against the byte rules of the Windows profile functions: each case is a file before,
// a run of settings-probe commands, their answers and the file after. The same table runs in process and
// through the settings-probe binary, which is what outside comparisons drive.
#include "card/SettingsStore.h"

#include "card/IniFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <memory>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kMissing("\x01(no file)");
const QByteArray kSame("\x01(as before)");

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder(text);
}

QString W(const QString &section, const QString &key, const QString &value)
{
    return QStringList{QStringLiteral("write"), section, key, value}.join(u'\t');
}

QString R(const QString &section, const QString &key)
{
    return QStringList{QStringLiteral("read"), section, key}.join(u'\t');
}

// The probe's escapes, for running its commands in process.
QString unescape(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (text.at(i) == u'\\' && QStringView(u"\\trn").contains(next)) {
            out += next == u't' ? u'\t' : next == u'r' ? u'\r' : next == u'n' ? u'\n' : u'\\';
            ++i;
        } else {
            out += text.at(i);
        }
    }
    return out;
}

QString escape(const QString &text)
{
    QString out = text;
    return out.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"));
}

QStringList runInProcess(const QString &dir, const QStringList &commands)
{
    setSettingsDirectory(dir);
    QStringList out;
    for (const QString &command : commands) {
        const QStringList f = command.split(u'\t');
        if (f.at(0) == u"write")
            out << (WriteSetting(f.at(1), f.at(2), unescape(f.mid(3).join(u'\t'))) ? u"1"_qs : u"0"_qs);
        else
            out << escape(ReadSetting(f.at(1), f.at(2)));
    }
    return out;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return kMissing;
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("\x01(unreadable)");
    return file.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    if (bytes == kMissing)
        return;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

ino_t inode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TstSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void store_data();
    void store();
    void probe_data() { store_data(); }
    void probe();
    void probeProtocol();
    void refusedWrite_data();
    void refusedWrite();
    void readOnlyFolderRefusesEveryUser();
    void rewriteReplacesTheFileWhole();
    void unchangedValueLeavesFileUntouched();
    void badFiles_data();
    void badFiles();
    void largeFileIsReadOnceAndWrittenOnce();

private:
    struct ProbeRun {
        QStringList lines;
        int exitCode = -1;
    };
    // Runs settings-probe on dir; asOtherUser drops root's rights so that file permissions apply.
    ProbeRun runProbe(const QString &dir, const QByteArray &input, bool asOtherUser = false);
    void checkCase(bool throughProbe);

    QString m_probe;
    // For root: a copy of the probe where the other user can run it (the build may lie in a folder
    // that user cannot enter), or empty with the reason in m_otherUserProblem.
    std::unique_ptr<QTemporaryDir> m_otherUserDir;
    QString m_otherUserProbe;
    QString m_otherUserProblem;
};

void TstSettingsStore::initTestCase()
{
    m_probe = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("settings-probe"));
    QVERIFY2(QFileInfo(m_probe).isExecutable(), "build the settings-probe target beside the test");
    if (::geteuid() != 0)
        return; // the probe runs as ourselves, and permissions apply to us anyway
    m_otherUserDir = std::make_unique<QTemporaryDir>();
    const QString copy = m_otherUserDir->filePath(QStringLiteral("settings-probe"));
    if (!m_otherUserDir->isValid() || !QFile::copy(m_probe, copy) ||
        ::chmod(QFile::encodeName(m_otherUserDir->path()).constData(), 0755) != 0 ||
        ::chmod(QFile::encodeName(copy).constData(), 0755) != 0) {
        m_otherUserProblem = QStringLiteral("cannot copy settings-probe to a temporary folder");
        return;
    }
    m_otherUserProbe = copy;
    QTemporaryDir work;
    QFile::setPermissions(work.path(), QFileDevice::Permissions(0x7777));
    const ProbeRun check = runProbe(work.path(), "read\tA\tk\n", true);
    if (check.exitCode != 0) {
        m_otherUserProblem =
            QStringLiteral("user 65534 cannot run the probe from %1 (exit %2): the temporary "
                           "folder is out of that user's reach")
                .arg(m_otherUserDir->path())
                .arg(check.exitCode);
        m_otherUserProbe.clear();
    }
}

TstSettingsStore::ProbeRun TstSettingsStore::runProbe(const QString &dir, const QByteArray &input,
                                                      bool asOtherUser)
{
    QProcess process;
    const bool otherUser = asOtherUser && ::geteuid() == 0;
    if (otherUser) {
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(126);
        });
    }
    process.start(otherUser ? m_otherUserProbe : m_probe, {dir});
    ProbeRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    run.lines = out.isEmpty() ? QStringList() : out.split(u'\n');
    return run;
}

void TstSettingsStore::store_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QByteArray>("after");

    const QString a127(127, u'a');
    const QString han63(63, u'汉');

    QTest::newRow("the dialog's writes build a new file")
        << kMissing
        << QStringList{W("Text", "Title", "天天向上"),
                       W("Text", "Name", "张三"),
                       W("Text", "Job", "无业游民"),
                       W("BgColor", "Bg", "-2147483643"),
                       W("FColor", "Name", "0"),
                       W("FColor", "Hline", "4194304"),
                       R("text", "name"),
                       R("FCOLOR", "hLine"),
                       R("Text", "Mail"),
                       R("Nothing", "Name")}
        << QStringList{"1", "1", "1", "1", "1", "1", "张三", "4194304", "", ""}
        << gbk("[Text]\r\nTitle=天天向上\r\nName=张三\r\nJob=无业游民\r\n[BgColor]\r\nBg=-2147483643\r\n"
               "[FColor]\r\nName=0\r\nHline=4194304\r\n");
    QTest::newRow("an empty file is a missing one")
        << QByteArray("") << QStringList{R("A", "k"), W("A", "k", "v")} << QStringList{"", "1"}
        << QByteArray("[A]\r\nk=v\r\n");

    // In-place editing.
    QTest::newRow("a replaced value keeps every other byte")
        << QByteArray("; note\r\n[Text]\nNAME = old value  \n\n[Other]\rx=1")
        << QStringList{W("text", "name", "new"), R("Text", "Name")} << QStringList{"1", "new"}
        << QByteArray("; note\r\n[Text]\nNAME = new\n\n[Other]\rx=1");
    QTest::newRow("a new key follows the section's last line")
        << QByteArray("[A]\r\nk=1\r\n\r\n  \r\n[B]\r\nk=2\r\n") << QStringList{W("a", "j", "2")}
        << QStringList{"1"} << QByteArray("[A]\r\nk=1\r\nj=2\r\n\r\n  \r\n[B]\r\nk=2\r\n");
    QTest::newRow("a new key in a section without keys")
        << QByteArray("[A]\n\n[B]\n") << QStringList{W("A", "j", "2")} << QStringList{"1"}
        << QByteArray("[A]\nj=2\r\n\n[B]\n");
    QTest::newRow("a new key at an unterminated end")
        << QByteArray("[A]\r\nk=1") << QStringList{W("A", "j", "2")} << QStringList{"1"}
        << QByteArray("[A]\r\nk=1\r\nj=2\r\n");
    QTest::newRow("a new section at an unterminated end")
        << QByteArray("[A]\r\nk=1") << QStringList{W("B", "j", "2")} << QStringList{"1"}
        << QByteArray("[A]\r\nk=1\r\n[B]\r\nj=2\r\n");
    QTest::newRow("a new section after a final line break")
        << QByteArray("[A]\nk=1\n") << QStringList{W("B", "j", "2")} << QStringList{"1"}
        << QByteArray("[A]\nk=1\n[B]\r\nj=2\r\n");
    QTest::newRow("names are written as passed less leading blanks")
        << kMissing
        << QStringList{W(" Text ", " Name ", "  v  "), R("text", "  name"), W("TEXT", "NAME", "v  ")}
        << QStringList{"1", "v", "1"} << QByteArray("[Text ]\r\nName =v  \r\n");
    QTest::newRow("a bare key takes the value")
        << QByteArray("[A]\r\n  k  \r\nk=2\r\n") << QStringList{R("A", "k"), W("A", "K", "5"), R("A", "k")}
        << QStringList{"", "1", "5"} << QByteArray("[A]\r\n  k=5\r\nk=2\r\n");
    QTest::newRow("a value of blanks is replaced after them")
        << QByteArray("[A]\r\nk=   \r\n") << QStringList{W("A", "k", "v")} << QStringList{"1"}
        << QByteArray("[A]\r\nk=   v\r\n");
    QTest::newRow("blanks after an unchanged value leave the file untouched")
        << QByteArray("[T]\r\nName=a \r\nJob = b\t\r\n")
        << QStringList{W("T", "Name", "a"), W("T", "Job", "b")} << QStringList{"1", "1"} << kSame;
    QTest::newRow("quotes and a NUL are replaced too")
        << QByteArrayLiteral("[A]\r\nq=\"x\"\r\nz=ab\0cd\r\n")
        << QStringList{W("A", "q", "x"), W("A", "z", "ab")} << QStringList{"1", "1"}
        << QByteArray("[A]\r\nq=x\r\nz=ab\r\n");

    // Lookup.
    QTest::newRow("first section and first key win")
        << QByteArray("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n")
        << QStringList{R("A", "k"), R("a", "j"), W("A", "K", "5"), W("A", "j", "6")}
        << QStringList{"1", "", "1", "1"} << QByteArray("[A]\r\nk=5\r\nk=2\r\nj=6\r\n[a]\r\nk=3\r\nj=4\r\n");
    QTest::newRow("headers end at their last bracket")
        << QByteArray("k=0\r\n  [ Text ]  junk\r\n Name = x \r\n[a]b]\r\nk=1\r\n[c\r\n[Text]\r\nName=y\r\n")
        << QStringList{R("Text", "Name"), R("a]b", "k"), R("a]b", "[c"), R("", "k"), R("a]b", "")}
        << QStringList{"x", "1", "", "", ""} << kSame;
    QTest::newRow("every kind of line end")
        << QByteArray("[A]\rk=1\r[B]\nk=2\n\r[C]\n\rk=3\r\n\r\n[D]\n\nk=4")
        << QStringList{R("A", "k"), R("B", "k"), R("C", "k"), R("D", "k")} << QStringList{"1", "2", "3", "4"}
        << kSame;
    QTest::newRow("quotes, NUL and blanks of a value")
        << QByteArrayLiteral("[A]\r\nq=\"q\"\r\nsp= \" sp \"\r\none=\"\r\nmixed='x\"\r\nsingle='y'\r\n"
                             "tab=\tv\t\x1a\r\nnul=ab\0cd\r\nn\0x=1\r\n")
        << QStringList{R("A", "q"),      R("A", "sp"),  R("A", "one"), R("A", "mixed"),
                       R("A", "single"), R("A", "tab"), R("A", "nul"), R("A", "n")}
        << QStringList{"q", "sp", "\"", "'x\"", "y", "v", "ab", "1"} << kSame;
    QTest::newRow("GBK trail bytes are no brackets or signs")
        << (QByteArray("[S]\r\n[") + gbk("乚") + "\r\n" + gbk("乗") + "=" + gbk("乕") + "\r\nj=1\r\n")
        << QStringList{R("S", "j"), R("S", "乗"), R("S", "[乚"), W("S", "乗", "乗乚")}
        << QStringList{"1", "乕", "", "1"}
        << (QByteArray("[S]\r\n[") + gbk("乚") + "\r\n" + gbk("乗") + "=" + gbk("乗乚") + "\r\nj=1\r\n");
    QTest::newRow("names match without regard to case")
        << gbk("[Text]\r\nName=张三\r\n[ＡΣ]\r\nk=1\r\n")
        << QStringList{R("TEXT", "NAME"), R("ａσ", "K"), W("text", "name", "李四")}
        << QStringList{"张三", "1", "1"} << gbk("[Text]\r\nName=李四\r\n[ＡΣ]\r\nk=1\r\n");

    // Length limits: 128 characters are written, 127 bytes read, whole characters only.
    QTest::newRow("127 bytes are read")
        << gbk(QString("[A]\r\na127=") + a127 + "\r\na128=" + a127 + "b\r\nh63=" + han63 + "\r\nh64=" +
               han63 + "汉\r\nmix127=a" + han63 + "\r\nmix128=aa" + han63 + "\r\nquoted=\"" + a127 + "\"\r\n")
        << QStringList{R("A", "a127"),   R("A", "a128"),   R("A", "h63"),   R("A", "h64"),
                       R("A", "mix127"), R("A", "mix128"), R("A", "quoted")}
        << QStringList{a127, a127, han63, han63, "a" + han63, "aa" + han63.left(62), a127} << kSame;
    QTest::newRow("128 characters are written")
        << kMissing << QStringList{W("A", "k", a127 + "bcd"), R("A", "k"), W("A", "h", QString(130, u'汉'))}
        << QStringList{"1", a127, "1"}
        << (QByteArray("[A]\r\nk=") + a127.toLatin1() + "b\r\nh=" + gbk(QString(128, u'汉')) + "\r\n");

    // Characters and line breaks.
    QTest::newRow("characters GBK cannot hold")
        << kMissing << QStringList{W("A", "k", "€😀한x"), R("A", "k"), W("€", "😀", "1"), R("€", "?")}
        << QStringList{"1", "€??x", "1", "1"} << QByteArray("[A]\r\nk=\x80??x\r\n[\x80]\r\n?=1\r\n");
    QTest::newRow("line breaks never become lines")
        << QByteArray("[FColor]\r\nTel=255\r\n")
        << QStringList{W("Text", "Add", "a\\r\\n[FColor]\\r\\nTel=5"),
                       R("Text", "Add"),
                       R("FColor", "Tel"),
                       W("Text", "Add", "a\\r\\n[FColor]\\r\\nTel=5"),
                       W("Text", "Mail", "x\\\\y\\nz\\r"),
                       R("Text", "Mail")}
        << QStringList{"1", "a\\r\\n[FColor]\\r\\nTel=5", "255", "1", "1", "x\\\\y\\nz\\r"}
        << QByteArray("[FColor]\r\nTel=255\r\n[Text]\r\nAdd=\x1b"
                      "a\\r\\n[FColor]\\r\\nTel=5\r\nMail=\x1bx\\\\y\\nz\\r\r\n");
    QTest::newRow("leading line breaks go with the blanks")
        << kMissing << QStringList{W("A", "k", "\\r\\n \\tab\\n"), R("A", "k")} << QStringList{"1", "ab\\n"}
        << QByteArray("[A]\r\nk=\x1b"
                      "ab\\n\r\n");
    QTest::newRow("backslashes in plain values stay")
        << QByteArray("[A]\r\nunc=\\\\server\\new\r\nesc=\x1bno\\break\r\n")
        << QStringList{W("A", "path", "C:\\\\new\\\\table"), R("A", "path"), R("A", "unc"), R("A", "esc")}
        << QStringList{"1", "C:\\\\new\\\\table", "\\\\\\\\server\\\\new", "\x1bno\\\\break"}
        << QByteArray("[A]\r\nunc=\\\\server\\new\r\nesc=\x1bno\\break\r\npath=C:\\new\\table\r\n");

    // Names the Windows functions cannot take or that would read back as something else.
    QTest::newRow("names that cannot be written")
        << kMissing << QStringList{W("", "k", "v"),    W("  ", "k", "v"), W("A", "", "v"), W("A", "x=y", "v"),
                                   W("A", "[B]", "v"), R("", "k"),        R("A", "")}
        << QStringList{"0", "0", "0", "0", "0", "", ""} << kMissing;

    // Files written elsewhere.
    QTest::newRow("UTF-8 file with a byte-order mark")
        << QByteArray("\xEF\xBB\xBF[文字]\r\n名=张三\r\n")
        << QStringList{R("文字", "名"), W("文字", "名", "李四"), W("新", "键", "€😀")}
        << QStringList{"张三", "1", "1"} << QByteArray("\xEF\xBB\xBF[文字]\r\n名=李四\r\n[新]\r\n键=€?\r\n");
}

void TstSettingsStore::checkCase(bool throughProbe)
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, answers);
    QFETCH(QByteArray, after);
    if (after == kSame)
        after = before;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("myset.ini"));
    putFile(path, before);
    if (throughProbe) {
        const ProbeRun run = runProbe(dir.path(), commands.join(u'\n').toUtf8() + '\n');
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.lines, answers);
    } else {
        QCOMPARE(runInProcess(dir.path(), commands), answers);
    }
    QCOMPARE(fileBytes(path), after);
}

void TstSettingsStore::store()
{
    checkCase(false);
}

void TstSettingsStore::probe()
{
    checkCase(true);
}

void TstSettingsStore::probeProtocol()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // CR LF line ends, a raw TAB inside a value, an unknown escape, no command, a blank line and a last
    // line without its line break.
    const ProbeRun run = runProbe(dir.path(), "write\tA\tk\tx\\ty\r\nread\tA\tk\r\nwrite\tA\tj\ta\tb\\q\r\n"
                                              "read\tA\tj\r\nbogus\r\n\r\nread\tA");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines, (QStringList{"1", "x\\ty", "1", "a\\tb\\\\q", "?", "?"}));
    QCOMPARE(fileBytes(dir.filePath("myset.ini")), QByteArray("[A]\r\nk=x\ty\r\nj=a\tb\\q\r\n"));
}

void TstSettingsStore::refusedWrite_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("answers");

    const QByteArray file("[A]\r\nk=1\r\n");
    // Each row runs: write A/k=2, write A/k=1 (the value it holds), read A/k.
    QTest::newRow("read-only directory") << "read-only directory" << file << QStringList{"0", "1", "1"};
    QTest::newRow("read-only directory without the file")
        << "read-only directory" << kMissing << QStringList{"0", "0", ""};
    QTest::newRow("read-only file") << "read-only file" << file << QStringList{"0", "0", "1"};
    QTest::newRow("unreadable file") << "unreadable file" << file << QStringList{"0", "0", ""};
    QTest::newRow("myset.ini is a directory") << "directory" << kMissing << QStringList{"0", "0", ""};
    QTest::newRow("missing directory") << "missing directory" << kMissing << QStringList{"0", "0", ""};
}

void TstSettingsStore::refusedWrite()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, answers);
    if (::geteuid() == 0 && m_otherUserProbe.isEmpty())
        QSKIP(qPrintable(m_otherUserProblem));

    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString dir = setup == u"missing directory" ? temp.filePath("gone") : temp.path();
    const QString path = QDir(dir).filePath(QStringLiteral("myset.ini"));
    putFile(path, before);
    const auto all = QFileDevice::Permissions(0x7777);
    QVERIFY(QFile::setPermissions(temp.path(), all)); // the probe may run as another user
    if (setup == u"read-only directory")
        QVERIFY(QFile::setPermissions(dir, all & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                   QFileDevice::WriteGroup | QFileDevice::WriteOther)));
    else if (setup == u"read-only file")
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
    else if (setup == u"unreadable file") // writable: only the store's own check keeps it
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                                                QFileDevice::WriteOther));
    else if (setup == u"directory")
        QVERIFY(QDir(dir).mkdir(QStringLiteral("myset.ini")));
    if (setup == u"read-only directory" && before != kMissing)
        QVERIFY(QFile::setPermissions(path, all & ~(QFileDevice::ExeOwner | QFileDevice::ExeUser |
                                                    QFileDevice::ExeGroup | QFileDevice::ExeOther)));

    const ProbeRun run = runProbe(dir, "write\tA\tk\t2\nwrite\tA\tk\t1\nread\tA\tk\n", true);
    QFile::setPermissions(dir, all);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.lines, answers);
    if (setup == u"directory")
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(fileBytes(path), before);
    if (setup == u"missing directory")
        QVERIFY(!QFileInfo::exists(dir));
    const QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, before == kMissing && setup != u"directory" ? QStringList() : QStringList{"myset.ini"});
}

void TstSettingsStore::rewriteReplacesTheFileWhole()
{
    // The new content is written beside the file and renamed over it, so the old file is never
    // truncated: the file is a new one, with the old permissions, and nothing else is left behind.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("myset.ini"));
    putFile(path, "[A]\r\nk=1\r\n");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const ino_t old = inode(path);

    setSettingsDirectory(dir.path());
    QVERIFY(WriteSetting("A", "k", "2"));
    QCOMPARE(fileBytes(path), QByteArray("[A]\r\nk=2\r\n"));
    QVERIFY(inode(path) != old);
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
    QCOMPARE(QFileInfo(path).permissions() & ownerGroupOther, permissions & ownerGroupOther);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"myset.ini"});
}

void TstSettingsStore::unchangedValueLeavesFileUntouched()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("myset.ini"));
    const QByteArray bytes = gbk(u"[Text]\nName=张三 \n"_qs);
    putFile(path, bytes);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addDays(-3), QFileDevice::FileModificationTime));
    file.close();
    const QDateTime modified = QFileInfo(path).lastModified();
    const ino_t before = inode(path);

    setSettingsDirectory(dir.path());
    QVERIFY(WriteSetting("TEXT", "name", "张三 "));
    QCOMPARE(inode(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QCOMPARE(fileBytes(path), bytes);
}

void TstSettingsStore::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expectedK"); // what reading A/k gives

    QByteArray garbage(65536, '\0');
    quint32 seed = 12345;
    for (char &c : garbage) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 16);
    }
    QTest::newRow("binary garbage") << garbage << QString();
    QTest::newRow("NUL bytes only") << QByteArray(4096, '\0') << QString();
    QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0v\0", 18) << QString();
    QTest::newRow("a line of a megabyte")
        << (QByteArray("[A]\nk=") + QByteArray(1 << 20, 'x') + "\n") << QString(127, u'x');
    // The lead byte takes the CR with it: an undecodable character, read as '?'.
    QTest::newRow("lone lead bytes") << QByteArray("[A]\r\nk=v\x81\r\nj=\xfe") << u"v?"_qs;
    QTest::newRow("brackets only") << QByteArray("[[[[]]]][\r\n]=[\r\n") << QString();
}

void TstSettingsStore::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expectedK);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("myset.ini"));
    putFile(path, bytes);
    setSettingsDirectory(dir.path());
    QCOMPARE(ReadSetting("A", "k"), expectedK);
    QCOMPARE(ReadSetting("Text", "Name"), QString());
    QCOMPARE(fileBytes(path), bytes); // reads never write

    // A write keeps every byte there was and reads back.
    QVERIFY(WriteSetting("Velnor", "Name", "张三"));
    QCOMPARE(ReadSetting("velnor", "name"), u"张三"_qs);
    QVERIFY(fileBytes(path).startsWith(bytes));
}

// A folder made read-only refuses a change whoever runs the program (the super-user could write there);
// a value the file already holds still counts as written.
void TstSettingsStore::readOnlyFolderRefusesEveryUser()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    setSettingsDirectory(temp.path());
    const QString path = settingsFilePath();
    QVERIFY(WriteSetting("A", "k", "1"));
    const QByteArray before = fileBytes(path);
    QVERIFY(QFile::setPermissions(temp.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool changed = WriteSetting("A", "k", "2");
    const bool unchanged = WriteSetting("A", "k", "1");
    QFile::setPermissions(temp.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!changed);
    QVERIFY(unchanged);
    QCOMPARE(fileBytes(path), before);
}

namespace {
// Counts what happens to one file of a folder, by the kernel's own account.
class FileEvents {
public:
    FileEvents(const QString &dir, QString name) : m_name(std::move(name))
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(m_fd, QFile::encodeName(dir).constData(), IN_OPEN | IN_MOVED_TO | IN_MODIFY);
    }
    ~FileEvents() { ::close(m_fd); }
    struct Counts {
        int opens = 0, replacements = 0, modifications = 0;
    };
    // What happened since the last call.
    Counts take()
    {
        Counts c;
        alignas(inotify_event) char buffer[64 * 1024];
        for (ssize_t n; (n = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char *p = buffer; p < buffer + n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(p);
                if (e->len > 0 && QFile::decodeName(e->name) == m_name) {
                    c.opens += (e->mask & IN_OPEN) != 0;
                    c.replacements += (e->mask & IN_MOVED_TO) != 0;
                    c.modifications += (e->mask & IN_MODIFY) != 0;
                }
                p += sizeof(inotify_event) + e->len;
            }
        }
        return c;
    }

private:
    QString m_name;
    int m_fd = -1;
};
} // namespace

// A settings file full of junk keys costs one read for the start's reads and one write for a save of all
// the settings (a batch), with exactly the bytes the writes give one by one on a file read afresh each time.
void TstSettingsStore::largeFileIsReadOnceAndWrittenOnce()
{
    static const char *const keys[][2] = {
        {"Text", "Title"},  {"BgColor", "Bg"},  {"FColor", "Name"},  {"FColor", "Job"},  {"FColor", "Office"},
        {"FColor", "Add"},  {"FColor", "Post"}, {"FColor", "Fax"},   {"FColor", "Http"}, {"FColor", "Tel"},
        {"FColor", "Mob"},  {"FColor", "Mail"}, {"FColor", "Hline"}, {"Text", "Name"},   {"Text", "Job"},
        {"Text", "Office"}, {"Text", "Add"},    {"Text", "Post"},    {"Text", "Fax"},    {"Text", "Tel"},
        {"Text", "Mob"},    {"Text", "Mail"},   {"Text", "Http"}};
    QByteArray bytes("[Text]\r\nTitle=old\r\nName = keep \r\n");
    for (int i = 0; i < 20000; ++i)
        bytes += "junk" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\r\n";
    bytes += "[FColor]\nName=1\n\n[Other]\r\nk=v";

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    putFile(dir.filePath("myset.ini"), bytes);
    setSettingsDirectory(dir.path());
    FileEvents events(dir.path(), QStringLiteral("myset.ini"));

    for (const auto &key : keys)
        ReadSetting(QLatin1String(key[0]), QLatin1String(key[1]));
    QCOMPARE(ReadSetting("Text", "Name"), u"keep"_qs);
    QCOMPARE(events.take().opens, 1);

    QByteArray expected = bytes;
    {
        SettingsBatch batch;
        for (int i = 0; i < 23; ++i) {
            const QString value = i == 13 ? u"keep"_qs : QString::number(i * 1000);
            QVERIFY(WriteSetting(QLatin1String(keys[i][0]), QLatin1String(keys[i][1]), value));
            IniFile fresh(expected);
            fresh.setValue(QLatin1String(keys[i][0]), QLatin1String(keys[i][1]), value);
            expected = fresh.bytes();
        }
        QCOMPARE(batch.commit(), QString());
    }
    const FileEvents::Counts save = events.take();
    QCOMPARE(save.opens, 0);        // the parsed file was kept from the reads
    QCOMPARE(save.replacements, 1); // one new file renamed over the old one

    // Reads after the save need no new parse; a change from outside is seen.
    QCOMPARE(ReadSetting("FColor", "Hline"), u"12000"_qs);
    QCOMPARE(events.take().opens, 0);
    QCOMPARE(fileBytes(dir.filePath("myset.ini")), expected);
    putFile(dir.filePath("myset.ini"), "[FColor]\r\nHline=5\r\n");
    QCOMPARE(ReadSetting("FColor", "Hline"), u"5"_qs);
}

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
