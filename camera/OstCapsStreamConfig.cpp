#include "OstCapsStreamConfig.h"

#include "OstGst.h"

#include <gst/gst.h>
#include <gst/video/video.h>

#include <cstdlib>
#include <limits>
#include <numeric>

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

std::int64_t DurationOf(std::int32_t numerator, std::int32_t denominator) {
    if (numerator <= 0 || denominator <= 0)
        return 0;
    return kUnitsPerSecond * denominator / numerator;
}

// The values of a field that holds one value or a list of them; ranges give nothing.
std::vector<const GValue*> ValuesOf(const GstStructure* s, const char* field) {
    std::vector<const GValue*> values;
    const GValue* value = gst_structure_get_value(s, field);
    if (!value)
        return values;
    if (GST_VALUE_HOLDS_LIST(value)) {
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            values.push_back(gst_value_list_get_value(value, i));
    } else {
        values.push_back(value);
    }
    return values;
}

std::vector<std::int32_t> IntsOf(const GstStructure* s, const char* field) {
    std::vector<std::int32_t> ints;
    for (const GValue* v : ValuesOf(s, field))
        if (G_VALUE_HOLDS_INT(v))
            ints.push_back(g_value_get_int(v));
    return ints;
}

} // namespace

OstCapsStreamConfig::OstCapsStreamConfig() = default;
OstCapsStreamConfig::~OstCapsStreamConfig() = default;

std::int16_t OstCapsStreamConfig::BitCountOf(const QByteArray& mediaType,
                                             const QByteArray& format) {
    if (mediaType == "image/jpeg")
        return 24;
    if (mediaType == "video/x-bayer")
        return 8;
    if (mediaType != "video/x-raw")
        return 0;
    const GstVideoFormat f = gst_video_format_from_string(format.constData());
    switch (f) {
    case GST_VIDEO_FORMAT_I420:
    case GST_VIDEO_FORMAT_YV12:
    case GST_VIDEO_FORMAT_NV12:
    case GST_VIDEO_FORMAT_NV21:
        return 12;
    case GST_VIDEO_FORMAT_UNKNOWN:
        return 0;
    default:
        break;
    }
    const GstVideoFormatInfo* info = gst_video_format_get_info(f);
    return info ? static_cast<std::int16_t>(GST_VIDEO_FORMAT_INFO_PSTRIDE(info, 0) * 8) : 0;
}

void OstCapsStreamConfig::FinishOffer(Offer& offer) {
    Rate best{0, 1};
    auto faster = [](const Rate& a, const Rate& b) {
        return std::int64_t(a.first) * b.second > std::int64_t(b.first) * a.second;
    };
    for (const Rate& r : offer.rates)
        if (faster(r, best))
            best = r;
    if (offer.range && faster(offer.range->second, best))
        best = offer.range->second;
    offer.type.rateNumerator = best.first;
    offer.type.rateDenominator = best.second;
    offer.type.avgTimePerFrame = DurationOf(best.first, best.second);
}

void OstCapsStreamConfig::SetOffers(const GstCaps* caps) {
    offers_.clear();
    current_.reset();
    if (!caps || gst_caps_is_any(caps))
        return;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        const QByteArray mediaType = gst_structure_get_name(s);
        std::vector<QByteArray> formats;
        for (const GValue* v : ValuesOf(s, "format"))
            if (G_VALUE_HOLDS_STRING(v))
                formats.emplace_back(g_value_get_string(v));
        if (formats.empty())
            formats.emplace_back();
        std::vector<Rate> rates;
        std::optional<std::pair<Rate, Rate>> range;
        for (const GValue* v : ValuesOf(s, "framerate")) {
            if (GST_VALUE_HOLDS_FRACTION(v)) {
                rates.emplace_back(gst_value_get_fraction_numerator(v),
                                   gst_value_get_fraction_denominator(v));
            } else if (GST_VALUE_HOLDS_FRACTION_RANGE(v)) {
                const GValue* lo = gst_value_get_fraction_range_min(v);
                const GValue* hi = gst_value_get_fraction_range_max(v);
                range = std::pair<Rate, Rate>{
                    {gst_value_get_fraction_numerator(lo), gst_value_get_fraction_denominator(lo)},
                    {gst_value_get_fraction_numerator(hi), gst_value_get_fraction_denominator(hi)}};
            }
        }
        std::erase_if(rates, [](const Rate& r) { return r.first <= 0 || r.second <= 0; });
        for (const QByteArray& format : formats) {
            for (std::int32_t width : IntsOf(s, "width")) {
                for (std::int32_t height : IntsOf(s, "height")) {
                    OstMediaType type;
                    type.mediaType = mediaType;
                    type.format = format;
                    type.bitCount = BitCountOf(mediaType, format);
                    type.width = width;
                    type.height = height;
                    Offer* offer = FindOffer(type);
                    if (!offer) {
                        offers_.push_back(Offer{type, {}, {}});
                        offer = &offers_.back();
                    }
                    offer->rates.insert(offer->rates.end(), rates.begin(), rates.end());
                    if (range && !offer->range)
                        offer->range = range;
                }
            }
        }
    }
    for (Offer& offer : offers_)
        FinishOffer(offer);
    std::erase_if(offers_, [](const Offer& o) { return o.type.avgTimePerFrame == 0; });
}

bool OstCapsStreamConfig::ReadOffers(GstPad* pad) {
    if (!pad)
        return false;
    OstGst::CapsRef caps(gst_pad_query_caps(pad, nullptr));
    SetOffers(caps.get());
    return !offers_.empty();
}

bool OstCapsStreamConfig::SetInitialFormat(const OstMediaType& type) {
    Offer* offer = FindOffer(type);
    Rate rate;
    if (!offer || !ChooseRate(*offer, type.avgTimePerFrame, rate))
        return false;
    current_ = offer->type;
    current_->rateNumerator = rate.first;
    current_->rateDenominator = rate.second;
    current_->avgTimePerFrame = DurationOf(rate.first, rate.second);
    return true;
}

OstCapsStreamConfig::Offer* OstCapsStreamConfig::FindOffer(const OstMediaType& type) {
    for (Offer& offer : offers_) {
        const OstMediaType& t = offer.type;
        if (t.mediaType == type.mediaType && t.format == type.format && t.width == type.width &&
            t.height == type.height)
            return &offer;
    }
    return nullptr;
}

bool OstCapsStreamConfig::ChooseRate(const Offer& offer, std::int64_t duration, Rate& rate) {
    if (duration <= 0)
        return false;
    // Cameras state rates such as 30000/1001; a duration within 1 % of one selects it.
    std::int64_t bestError = -1;
    for (const Rate& r : offer.rates) {
        const std::int64_t error = std::llabs(DurationOf(r.first, r.second) - duration);
        if (error * 100 <= duration && (bestError < 0 || error < bestError)) {
            bestError = error;
            rate = r;
        }
    }
    if (bestError >= 0)
        return true;
    if (!offer.range)
        return false;
    const auto [lo, hi] = *offer.range;
    // lo <= 1e7/duration <= hi, compared without rounding.
    const bool aboveLow = std::int64_t(lo.first) * duration <= kUnitsPerSecond * lo.second;
    const bool belowHigh = std::int64_t(hi.first) * duration >= kUnitsPerSecond * hi.second;
    if (!aboveLow || !belowHigh || duration > std::numeric_limits<std::int32_t>::max())
        return false;
    const std::int64_t divisor = std::gcd(kUnitsPerSecond, duration);
    rate = {static_cast<std::int32_t>(kUnitsPerSecond / divisor),
            static_cast<std::int32_t>(duration / divisor)};
    return true;
}

bool OstCapsStreamConfig::EnumMediaTypes(std::vector<OstMediaType>& types) {
    types.clear();
    for (const Offer& offer : offers_)
        types.push_back(offer.type);
    return !types.empty();
}

bool OstCapsStreamConfig::GetFormat(OstMediaType& type) {
    if (current_) {
        type = *current_;
        return true;
    }
    if (offers_.empty())
        return false;
    type = offers_.front().type;
    return true;
}

bool OstCapsStreamConfig::SetFormat(const OstMediaType& type) {
    Offer* offer = FindOffer(type);
    if (!offer || offer->type.bitCount != type.bitCount)
        return false;
    Rate rate;
    if (!ChooseRate(*offer, type.avgTimePerFrame, rate))
        return false;
    OstMediaType chosen = offer->type;
    chosen.rateNumerator = rate.first;
    chosen.rateDenominator = rate.second;
    chosen.avgTimePerFrame = DurationOf(rate.first, rate.second);
    if (!Accepts(chosen))
        return false;
    current_ = chosen;
    return true;
}

bool OstCapsStreamConfig::Accepts(const OstMediaType&) const {
    return true;
}

GstCaps* OstCapsStreamConfig::ToCaps(const OstMediaType& type) {
    GstStructure* s = gst_structure_new_empty(type.mediaType.constData());
    if (!type.format.isEmpty())
        gst_structure_set(s, "format", G_TYPE_STRING, type.format.constData(), nullptr);
    gst_structure_set(s, "width", G_TYPE_INT, type.width, "height", G_TYPE_INT, type.height,
                      nullptr);
    if (type.rateNumerator > 0 && type.rateDenominator > 0)
        gst_structure_set(s, "framerate", GST_TYPE_FRACTION, type.rateNumerator,
                          type.rateDenominator, nullptr);
    GstCaps* caps = gst_caps_new_empty();
    gst_caps_append_structure(caps, s);
    return caps;
}
