// The report's URL, built directly: the order of its keys, what is escaped and what is sent as it
// stands, the placeholders and the missing signal readings.
#include "report/upload.h"

#include <gtest/gtest.h>

#include <climits>

#include "report/curl_transfer.h"
#include "report/report_test_util.h"

TEST(ReportUrl, KeysInOrderWithEveryFreeTextEscapedAndTheSeparatorsAsTheyStand) {
    CCurlTransfer transfer;
    ASSERT_TRUE(transfer.IsValid());
    std::vector<CAdapterResult> results;
    results.push_back(MakeResult("Intel(R) Wireless", TRUE, "2.1", -38, -85));
    results.push_back(MakeResult("Card", FALSE, "", -60, -60));
    std::string strUrl;
    ASSERT_TRUE(BuildReportUrl(transfer, "reports.example:8080", "XP 5.1 (Build 2600)", "Ann & Lee",
                               "ann@example.com", results, &strUrl));
    EXPECT_EQ(strUrl,
              "http://reports.example:8080/nimbrel3.php?os=XP%205.1%20%28Build%202600%29"
              "&by=Ann%20%26%20Lee&e=ann%40example.com"
              "&a=Y|Intel%28R%29%20Wireless|2.1|-38|-85&a=N|Card||-60|-60");
}

TEST(ReportUrl, PlaceholdersGoEmptyABarInANameGoesAsABlankAndMissingReadingsAsEmptyFields) {
    CCurlTransfer transfer;
    ASSERT_TRUE(transfer.IsValid());
    std::vector<CAdapterResult> results;
    results.push_back(MakeResult("A|B||C", FALSE, "", INT_MIN, INT_MAX));
    std::string strUrl;
    ASSERT_TRUE(BuildReportUrl(transfer, "h", "os", "<Optional>", "<Optional>", results, &strUrl));
    EXPECT_EQ(strUrl, "http://h/nimbrel3.php?os=os&by=&e=&a=N|A%20B%20%20C|||");
}

TEST(ReportUrl, NoResultsGiveOnlyTheThreeKeys) {
    CCurlTransfer transfer;
    ASSERT_TRUE(transfer.IsValid());
    std::string strUrl;
    ASSERT_TRUE(BuildReportUrl(transfer, "h", "", "", "", {}, &strUrl));
    EXPECT_EQ(strUrl, "http://h/nimbrel3.php?os=&by=&e=");
}
