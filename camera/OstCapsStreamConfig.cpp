#include "OstCapsStreamConfig.h"

#include "OstGst.h"

#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
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

// The sizes a field gives as ranges (a camera's stepwise or continuous frame sizes).
std::vector<OstCapsStreamConfig::SizeRange> RangesOf(const GstStructure* s, const char* field) {
    std::vector<OstCapsStreamConfig::SizeRange> ranges;
    for (const GValue* v : ValuesOf(s, field)) {
        if (!GST_VALUE_HOLDS_INT_RANGE(v))
            continue;
        OstCapsStreamConfig::SizeRange range{gst_value_get_int_range_min(v),
                                             gst_value_get_int_range_max(v),
                                             std::max(1, gst_value_get_int_range_step(v))};
        if (range.min <= range.max)
            ranges.push_back(range);
    }
    return ranges;
}

bool Fits(std::int32_t value, const std::vector<std::int32_t>& values,
          const std::vector<OstCapsStreamConfig::SizeRange>& ranges) {
    if (std::find(values.begin(), values.end(), value) != values.end())
        return true;
    return std::any_of(ranges.begin(), ranges.end(), [value](const auto& r) {
        return value >= r.min && value <= r.max && (value - r.min) % r.step == 0;
    });
}

// The sizes offered from a camera's size ranges: those the program's resolution setting can
// ask for, and the usual camera sizes above them.
constexpr std::pair<std::int32_t, std::int32_t> kRangeSizes[] = {
    {160, 120},  {176, 144},  {320, 240},  {352, 288},   {640, 480},   {800, 600},
    {1024, 768}, {1280, 720}, {1280, 960}, {1600, 1200}, {1920, 1080}, {2592, 1944}};

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
        const std::vector<std::int32_t> widths = IntsOf(s, "width");
        const std::vector<std::int32_t> heights = IntsOf(s, "height");
        const std::vector<SizeRange> widthRanges = RangesOf(s, "width");
        const std::vector<SizeRange> heightRanges = RangesOf(s, "height");
        std::vector<std::pair<std::int32_t, std::int32_t>> sizes;
        for (std::int32_t width : widths)
            for (std::int32_t height : heights)
                sizes.emplace_back(width, height);
        if (!widthRanges.empty() || !heightRanges.empty()) {
            for (const auto& [width, height] : kRangeSizes) {
                if (Fits(width, widths, widthRanges) && Fits(height, heights, heightRanges) &&
                    std::find(sizes.begin(), sizes.end(), std::pair{width, height}) == sizes.end())
                    sizes.emplace_back(width, height);
            }
        }
        for (const QByteArray& format : formats) {
            for (const auto& [width, height] : sizes) {
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
    if (!offer)
        return false;
    // A source that cannot tell its rate runs at the fastest it offers for the format.
    Rate rate{offer->type.rateNumerator, offer->type.rateDenominator};
    if (type.avgTimePerFrame != 0 && !ChooseRate(*offer, type.avgTimePerFrame, rate))
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
    // A duration within 1 % of a bound is that bound: 10,000,000 / 30 is 333,333, a shade
    // faster than the 30/1 at the top of a range.
    for (const Rate& bound : {lo, hi}) {
        const std::int64_t error = std::llabs(DurationOf(bound.first, bound.second) - duration);
        if (error * 100 <= duration) {
            rate = bound;
            return true;
        }
    }
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
