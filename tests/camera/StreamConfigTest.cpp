#include "OstCapsStreamConfig.h"
#include "OstGst.h"
#include "OstV4l2Device.h"

#include <gst/gst.h>

#include <gtest/gtest.h>

namespace {

OstGst::CapsRef Caps(const char* text) {
    OstGst::EnsureInitialized();
    return OstGst::CapsRef(gst_caps_from_string(text));
}

} // namespace

// What a typical UVC camera answers: per size, YUY2 with a rate list, JPEG with a range.
TEST(CapsStreamConfig, CameraCapsBecomeOneMediaTypePerFormatAndSize) {
    OstCapsStreamConfig config;
    config.SetOffers(Caps("video/x-raw, format=YUY2, width=640, height=480, "
                          "framerate={ (fraction)30/1, (fraction)15/1 }; "
                          "image/jpeg, width=1280, height=720, framerate=[ 5/1, 30/1 ]; "
                          "video/x-raw, format={ I420, BGRx }, width={ 320, 160 }, height=240, "
                          "framerate=30000/1001; "
                          "video/x-raw, format=YUY2, width=[ 16, 4096 ], height=[ 16, 4096 ], "
                          "framerate=30/1")
                         .get());
    std::vector<OstMediaType> types;
    ASSERT_TRUE(config.EnumMediaTypes(types));
    // The size range adds the usual camera sizes on it that are not listed already.
    ASSERT_EQ(types.size(), 17u);
    EXPECT_EQ(types[6].width, 160);
    EXPECT_EQ(types[16].width, 2592);
    EXPECT_EQ(types[0].format, "YUY2");
    EXPECT_EQ(types[0].bitCount, 16);
    EXPECT_EQ(types[0].avgTimePerFrame, 333333);
    EXPECT_EQ(types[1].mediaType, "image/jpeg");
    EXPECT_EQ(types[1].bitCount, 24);
    EXPECT_EQ(types[2].format, "I420");
    EXPECT_EQ(types[2].bitCount, 12);
    EXPECT_EQ(types[2].width, 320);
    EXPECT_EQ(types[3].width, 160);
    EXPECT_EQ(types[4].format, "BGRx");
    EXPECT_EQ(types[4].bitCount, 32);
    EXPECT_EQ(types[2].avgTimePerFrame, 333666);

    // Nothing set yet: the source delivers its first format.
    OstMediaType format;
    ASSERT_TRUE(config.GetFormat(format));
    EXPECT_EQ(format.width, 640);

    // 10,000,000 / 30 selects 30000/1001 (within 1 %); 20 is not offered there.
    OstMediaType ntsc = types[2];
    ntsc.avgTimePerFrame = 333333;
    ASSERT_TRUE(config.SetFormat(ntsc));
    ASSERT_TRUE(config.GetFormat(format));
    EXPECT_EQ(format.rateNumerator, 30000);
    EXPECT_EQ(format.rateDenominator, 1001);
    ntsc.avgTimePerFrame = 500000;
    EXPECT_FALSE(config.SetFormat(ntsc));

    // A range takes any rate inside it, exactly.
    OstMediaType jpeg = types[1];
    jpeg.avgTimePerFrame = 500000;
    ASSERT_TRUE(config.SetFormat(jpeg));
    ASSERT_TRUE(config.GetFormat(format));
    EXPECT_EQ(format.rateNumerator, 20);
    EXPECT_EQ(format.rateDenominator, 1);
    jpeg.avgTimePerFrame = 10'000'000 / 60;
    EXPECT_FALSE(config.SetFormat(jpeg));
    jpeg.avgTimePerFrame = 0;
    EXPECT_FALSE(config.SetFormat(jpeg));

    // What is not offered, or offered with another bit count, is refused and changes nothing.
    OstMediaType other = types[0];
    other.width = 800;
    EXPECT_FALSE(config.SetFormat(other));
    other = types[0];
    other.bitCount = 24;
    EXPECT_FALSE(config.SetFormat(other));
    ASSERT_TRUE(config.GetFormat(format));
    EXPECT_EQ(format.mediaType, "image/jpeg");

    OstCapsStreamConfig empty;
    empty.SetOffers(Caps("ANY").get());
    EXPECT_FALSE(empty.EnumMediaTypes(types));
    EXPECT_FALSE(empty.GetFormat(format));
}

TEST(V4l2Device, SourceOpensTheNodeThroughV4l2src) {
    OstV4l2Device device(u"\\\\?\\usb#vid_6b2d&pid_0e41#x"_qs, u"Orbit"_qs, u"/dev/video7"_qs);
    OstGst::Ref<GstElement> source(GST_ELEMENT(gst_object_ref_sink(device.CreateElement())));
    ASSERT_TRUE(source);
    EXPECT_STREQ(GST_OBJECT_NAME(gst_element_get_factory(source.get())), "v4l2src");
    gchar* node = nullptr;
    g_object_get(source.get(), "device", &node, nullptr);
    EXPECT_STREQ(node, "/dev/video7");
    g_free(node);
}
