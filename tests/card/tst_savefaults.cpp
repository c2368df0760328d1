// Every kind of save under a hostile disk, through the settings probe (a separate process, as the program
// is one): the settings file, a card picture in mycard/ and the print picture temp.bmp, each written
// through SafeFile. A full and a nearly full disk, a file-size limit, links and directories in the file's
// place, read-only files and folders, and kill -9 at random moments: the save is refused with a reason,
// never reported as done, and every file is afterwards the old or the new complete version.
#include "support/DiskTrouble.h"

#include "card/IniFile.h"
#include "card/PictureFile.h"
#include "card/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray bmp(int width, int height, QRgb colour)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "bmp");
    return bytes;
}

// Entries of a folder other than those named: temporary files left behind would show here.
QStringList others(const QString &folder, const QStringList &expected)
{
    QStringList left =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : expected)
        left.removeAll(name);
    return left;
}

// What each kind of save writes, and the probe command that writes it: the settings of the dialog's
// save, a card of the save panel (340 x 207), the print window's full page (1020 x 1380).
struct SaveKind {
    QString file;    // relative to the program folder
    QString command; // %1: the file's full path
    QByteArray old;  // what the file holds before
};

QString command(const SaveKind &save, const QString &path)
{
    return save.command.contains(u"%1") ? save.command.arg(path) : save.command;
}

SaveKind saveKind(const QString &name)
{
    if (name == u"settings")
        return {QStringLiteral("myset.ini"), QStringLiteral("write\tText\tName\tChanged"),
                QByteArray("[Text]\r\nName=") + QByteArray(360, 'a') + "\r\n"};
    if (name == u"card")
        return {QStringLiteral("mycard/evil.bmp"), QStringLiteral("image\t%1\t340\t207\t7"),
                bmp(340, 207, qRgb(1, 2, 3))};
    return {QStringLiteral("temp.bmp"), QStringLiteral("image\t%1\t1020\t1380\t7"),
            bmp(340, 207, qRgb(1, 2, 3))};
}
} // namespace

class TstSaveFaults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fullDisk_data();
    void fullDisk();
    void thingsInTheFilesPlace_data();
    void thingsInTheFilesPlace();
    void linkAtStartReadsAsMissing();
    void killedDuringRepeatedSaves();

private:
    QStringList probe(const QString &dir, const QStringList &commands);
    QString m_probe;
};

void TstSaveFaults::initTestCase()
{
    m_probe = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("settings-probe"));
    QVERIFY2(QFileInfo(m_probe).isExecutable(), "build the settings-probe target beside the test");
}

QStringList TstSaveFaults::probe(const QString &dir, const QStringList &commands)
{
    QProcess process;
    process.start(m_probe, {dir});
    if (!process.waitForStarted())
        return {QStringLiteral("(no start)")};
    process.write(commands.join(u'\n').toUtf8() + '\n');
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {QStringLiteral("(crashed)")};
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    return out.split(u'\n');
}

void TstSaveFaults::fullDisk_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("trouble");
    for (const char *kind : {"settings", "card", "print picture"})
        for (const char *trouble : {"full disk", "nearly full disk", "file-size limit"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(kind, trouble))) << kind << trouble;
}

// Before the checked write, a full disk left myset.ini empty and a card cut short, both reported as saved.
void TstSaveFaults::fullDisk()
{
    QFETCH(QString, kind);
    QFETCH(QString, trouble);
    const SaveKind save = saveKind(kind);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString dir = temp.filePath(QStringLiteral("program"));
    std::unique_ptr<SmallDisk> disk;
    if (trouble != u"file-size limit") {
        disk = std::make_unique<SmallDisk>(dir, 1 << 20);
        if (!disk->mounted())
            QSKIP("mounting a small tmpfs needs root; the file-size limit rows run instead");
    }
    QVERIFY(QDir().mkpath(dir + QStringLiteral("/mycard")));
    const QString path = QDir(dir).filePath(save.file);
    putFile(path, save.old);
    QStringList commands;
    if (disk)
        // Nearly full: less room than the new file needs (the new settings file is as large as the old).
        QVERIFY(disk->leaveFree(trouble == u"full disk" ? 0 : (kind == u"settings" ? 100 : 200 * 1024)));
    else
        commands << QStringLiteral("limit\t%1").arg(kind == u"settings" ? 10 : 100 * 1024);
    commands << command(save, path);

    const QStringList out = probe(dir, commands);
    QVERIFY2(!out.isEmpty() && out.last().startsWith(u'0'), qPrintable(out.join(u'|')));
    if (kind != u"settings") {
        const QString reason = out.last().section(u'\t', 1);
        QVERIFY2(reason == (disk ? u"磁盘空间不足"_qs : u"文件太大，超出了允许的文件大小"_qs),
                 qPrintable(reason));
    }
    QCOMPARE(fileBytes(path), save.old);
    QCOMPARE(others(QFileInfo(path).absolutePath(), {QFileInfo(path).fileName(), "mycard", "filler"}),
             QStringList());
}

void TstSaveFaults::thingsInTheFilesPlace_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("thing");
    for (const char *kind : {"settings", "card", "print picture"})
        for (const char *thing : {"link to a file elsewhere", "dangling link", "link to a folder",
                                  "directory", "read-only file", "read-only folder"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(kind, thing))) << kind << thing;
}

// A link is replaced by a regular file and what it pointed at stays as it was; a directory or a
// read-only file or folder is refused for every user, root included, and stays as it was.
void TstSaveFaults::thingsInTheFilesPlace()
{
    QFETCH(QString, kind);
    QFETCH(QString, thing);
    const SaveKind save = saveKind(kind);
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString dir = temp.filePath(QStringLiteral("program"));
    const QString elsewhere = temp.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(dir + QStringLiteral("/mycard")));
    QVERIFY(QDir().mkpath(elsewhere));
    const QString path = QDir(dir).filePath(save.file);
    const QString outside = QDir(elsewhere).filePath(QStringLiteral("precious"));
    const QByteArray precious("[Text]\r\nName=precious\r\n");
    putFile(outside, precious);
    const QString folder = QFileInfo(path).absolutePath();

    if (thing == u"link to a file elsewhere")
        QVERIFY(QFile::link(outside, path));
    else if (thing == u"dangling link")
        QVERIFY(QFile::link(QDir(elsewhere).filePath(QStringLiteral("nothing")), path));
    else if (thing == u"link to a folder")
        QVERIFY(QFile::link(elsewhere, path));
    else if (thing == u"directory")
        QVERIFY(QDir().mkpath(path));
    else
        putFile(path, save.old);
    if (thing == u"read-only file")
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (thing == u"read-only folder")
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);

    const QStringList out = probe(dir, {command(save, path)});
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    QVERIFY(!out.isEmpty());
    QCOMPARE(fileBytes(outside), precious);
    QCOMPARE(others(elsewhere, {"precious"}), QStringList());
    if (thing.contains(u"link")) {
        QCOMPARE(out.last(), QStringLiteral("1"));
        const QFileInfo written(path);
        QVERIFY(!written.isSymLink());
        QVERIFY(written.isFile());
        if (kind == u"settings")
            QCOMPARE(fileBytes(path), QByteArray("[Text]\r\nName=Changed\r\n"));
        else
            QVERIFY(PictureFile::load(path).ok());
    } else {
        QVERIFY2(out.last().startsWith(u'0'), qPrintable(out.last()));
        if (kind != u"settings") {
            const QString reason = out.last().section(u'\t', 1);
            QVERIFY2(reason.contains(thing == u"directory" ? u"不是普通文件"_qs : u"只读"_qs),
                     qPrintable(reason));
        }
        if (thing == u"directory")
            QVERIFY(QFileInfo(path).isDir());
        else
            QCOMPARE(fileBytes(path), save.old);
    }
    QCOMPARE(others(folder, {QFileInfo(path).fileName(), "mycard"}), QStringList());
}

// A link named myset.ini is not followed at start either: it reads as no settings file, so another
// file's text never shows up as the user's settings (nor is carried into the file by the next save).
void TstSaveFaults::linkAtStartReadsAsMissing()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString outside = temp.filePath(QStringLiteral("other.ini"));
    putFile(outside, "[Text]\r\nName=secret\r\nJob=x\r\n");
    QVERIFY(QFile::link(outside, temp.filePath(QStringLiteral("myset.ini"))));
    QCOMPARE(probe(temp.path(), {"read\tText\tName", "write\tText\tTitle\tmine", "read\tText\tName"}),
             (QStringList{"", "1", ""}));
    QCOMPARE(fileBytes(temp.filePath(QStringLiteral("myset.ini"))), QByteArray("[Text]\r\nTitle=mine\r\n"));
    QCOMPARE(fileBytes(outside), QByteArray("[Text]\r\nName=secret\r\nJob=x\r\n"));
}

// A process saving the settings, a card and the print picture over and over is killed at random moments;
// every time, each file is one complete version: all 23 settings of one round, pictures whole and of one
// colour.
void TstSaveFaults::killedDuringRepeatedSaves()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("random seed %u", seed);
    QRandomGenerator random(seed);
    int killedMidway = 0;
    for (int round = 0; round < 12; ++round) {
        QProcess process;
        process.start(m_probe, {temp.path()});
        QVERIFY(process.waitForStarted());
        process.write(QByteArray("cycle\t") + QFile::encodeName(temp.path()) + '\n');
        process.closeWriteChannel();
        // After at least one complete round, so that every file exists, then at a random moment.
        QVERIFY(process.waitForReadyRead(60000));
        QTest::qWait(int(random.bounded(400)));
        ::kill(pid_t(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished(10000));

        const IniFile settings(fileBytes(temp.filePath(QStringLiteral("myset.ini"))));
        const QString version = settings.rawValue("Text", "Title").value_or(QString());
        QVERIFY(!version.isEmpty());
        for (const char *key :
             {"Name", "Job", "Office", "Add", "Post", "Fax", "Tel", "Mob", "Mail", "Http"}) {
            QCOMPARE(settings.rawValue("Text", key).value_or(QString()), version);
            QCOMPARE(settings.rawValue("FColor", key).value_or(QString()), version);
        }
        QCOMPARE(settings.rawValue("FColor", "Hline").value_or(QString()), version);
        QCOMPARE(settings.rawValue("BgColor", "Bg").value_or(QString()), version);
        for (const char *name : {"mycard/card.bmp", "temp.bmp"}) {
            const PictureFile::Result picture = PictureFile::load(temp.filePath(QLatin1String(name)));
            QVERIFY2(picture.ok(), qPrintable(picture.problem));
            const QImage image = picture.image.convertToFormat(QImage::Format_RGB32);
            QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), image.pixel(0, 0));
        }
        // Left-over temporary files of a killed write are no card and no settings file; cleared for the
        // next round's count.
        for (const QString &folder : {temp.path(), temp.filePath(QStringLiteral("mycard"))})
            for (const QString &left : QDir(folder).entryList({".velnor-*"}, QDir::Files | QDir::Hidden)) {
                ++killedMidway;
                QFile::remove(QDir(folder).filePath(left));
            }
    }
    qInfo("%d kills landed inside a write", killedMidway);
}

QTEST_GUILESS_MAIN(TstSaveFaults)
#include "tst_savefaults.moc"
