// Picture loading as the picture panel, the card browser and printing do it: arbitrary bytes saved under
// a .bmp, a .jpg and a .gif name. Never a crash; either a picture or a refusal with a reason in Chinese;
// never a picture above the memory limit. (The run's -rss_limit_mb bounds the memory the readers use.)
#include "FuzzSupport.h"
#include "card/PictureFile.h"

#include <QDir>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const char *name : {"picture.bmp", "picture.jpg", "picture.gif"}) {
        const QString path = QDir(Fuzz::scratchFolder()).filePath(QLatin1String(name));
        Fuzz::putFile(path, bytes);
        const PictureFile::Result result = PictureFile::load(path);
        if (result.ok()) {
            FUZZ_CHECK(result.problem.isEmpty(), result.problem);
            FUZZ_CHECK(result.image.sizeInBytes() <= 2 * PictureFile::MaxPictureBytes,
                       "picture above the limit");
        } else {
            FUZZ_CHECK(!result.problem.isEmpty(), "a refusal without a reason");
            bool chinese = false;
            for (const QChar c : result.problem)
                chinese = chinese || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
            FUZZ_CHECK(chinese, result.problem);
        }
    }
    return 0;
}
