#include "OstPhotoTransfers.h"
#include "TransferStatus.h"

#include <gtest/gtest.h>

// A photo of no bytes has no packets to count: its reports must neither divide by zero nor
// show a finished transfer as unfinished.
TEST(TransferProgressTest, EmptyPhotosAndOddCountsGiveSaneProgress) {
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_SENT, 0, 0), 100);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_RECEIVED, 0, 0), 100);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_SENT, 0, 0), 0);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_RECEIVED, 0, 0), 0);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_SENT, 1, 3), 33);
    // Counts from the other side are not trusted to stay within their total.
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_RECEIVED, 7, 3), 100);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_RECEIVED, -2, 3), 0);
    EXPECT_EQ(OstPhotoTransfers::ProgressPercent(TRANSFER_PACKET_SENT, 2000000000, 2100000000), 95);
}
