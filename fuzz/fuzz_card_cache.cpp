// Feeds arbitrary bytes to the card cache's reader, which reads files any
// program of the user could have written. The first two bytes choose the
// picture size expected (1 to 64 pixels each way), the rest is the file.
// A file is taken only as a picture of exactly that size; anything else
// reads as absent. An accepted picture must write a file that reads back
// as a picture of the same size.
#include "DisplayGLCacheCartes.h"
#include "FuzzQt.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    if (size < 2)
        return 0;
    const QSize attendue(1 + data[0] % 64, 1 + data[1] % 64);
    const QByteArray contenu(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
    const QImage image = DisplayGLCacheCartes::decode(contenu, attendue);
    if (image.isNull())
        return 0;
    if (image.size() != attendue)
        std::abort();
    const QImage relue = DisplayGLCacheCartes::decode(DisplayGLCacheCartes::encode(image), attendue);
    if (relue.size() != attendue)
        std::abort();
    return 0;
}
