#pragma once

#include "IOstStreamConfig.h"

#include <cstdint>

#include <optional>
#include <utility>
#include <vector>

typedef struct _GstCaps GstCaps;
typedef struct _GstPad GstPad;

// A stream configuration over what a GStreamer source pad offers: every fixed (media type,
// format, width, height) of its caps is one media type, with the frame rates offered for it.
class OstCapsStreamConfig : public IOstStreamConfig {
public:
    struct SizeRange {
        std::int32_t min;
        std::int32_t max;
        std::int32_t step;
    };

    OstCapsStreamConfig();
    ~OstCapsStreamConfig() override;

    // Replaces the offers with those of the caps (not taken over). Sizes given as ranges
    // (a camera's stepwise or continuous frame sizes) are offered at the usual camera sizes
    // that lie on them, the program's own resolutions among them.
    void SetOffers(const GstCaps* caps);
    // Reads the offers from a caps query on the pad; false when the pad answers nothing.
    bool ReadOffers(GstPad* pad);
    // The format the source delivers before anyone sets one; it must be an offer. A zero
    // frame duration stands for the fastest rate offered for it.
    bool SetInitialFormat(const OstMediaType& type);

    bool EnumMediaTypes(std::vector<OstMediaType>& types) override;
    bool GetFormat(OstMediaType& type) override;
    bool SetFormat(const OstMediaType& type) override;

    // Fixed caps for a format, for the caps filter behind the source; caller owns them.
    static GstCaps* ToCaps(const OstMediaType& type);
    // Bits per pixel as a capture pin reports them (24 for RGB and for JPEG, 16 for YUY2).
    static std::int16_t BitCountOf(const QByteArray& mediaType, const QByteArray& format);

protected:
    // Last word on a format that is offered; a source that refuses formats overrides it.
    virtual bool Accepts(const OstMediaType& type) const;

private:
    using Rate = std::pair<std::int32_t, std::int32_t>; // numerator, denominator
    struct Offer {
        OstMediaType type; // avgTimePerFrame: the highest rate offered
        std::vector<Rate> rates;
        std::optional<std::pair<Rate, Rate>> range; // lowest, highest
    };
    Offer* FindOffer(const OstMediaType& type);
    static bool ChooseRate(const Offer& offer, std::int64_t duration, Rate& rate);
    static void FinishOffer(Offer& offer);

    std::vector<Offer> offers_;
    std::optional<OstMediaType> current_;
};
