// The design file of a saved card, through CardDesign::decode. Never a crash. A refusal gives a reason and
// leaves the card as it was; a design that is taken encodes to a file that decodes to the same card.
#include "FuzzSupport.h"
#include "card/CardDesign.h"
#include "card/CardModel.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CardModel card;
    const QByteArray before = CardDesign::encode(card);
    QString reason;
    if (!CardDesign::decode(bytes, card, &reason)) {
        FUZZ_CHECK(!reason.isEmpty(), "a refusal without a reason");
        FUZZ_CHECK(CardDesign::encode(card) == before, "a refused design changed the card");
        return 0;
    }
    const QByteArray encoded = CardDesign::encode(card);
    CardModel again;
    QString againReason;
    FUZZ_CHECK(CardDesign::decode(encoded, again, &againReason), againReason);
    FUZZ_CHECK(CardDesign::encode(again) == encoded, "the design does not survive saving again");
    return 0;
}
