#include "app/banner.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/os.h"

namespace {

// Reads host files for the decoder; a Windows path's backslashes become slashes. The rest of the
// kernel services are not used by the banner code.
class CHostFileSystem : public ISystem {
public:
    BOOL GetVersionEx(COsVersionInfo*) override { return FALSE; }
    DWORD GetLastError() override { return ERROR_SUCCESS; }
    void SetLastError(DWORD) override {}
    std::string WideToAnsi(const std::u16string&) override { return {}; }
    std::u16string AnsiToWide(const std::string&) override { return {}; }
    DWORD ReadFile(const std::string& strPath, std::vector<BYTE>* pData) override {
        std::string strHostPath = strPath;
        std::replace(strHostPath.begin(), strHostPath.end(), '\\', '/');
        std::ifstream file(strHostPath, std::ios::binary);
        if (!file) {
            return ERROR_FILE_NOT_FOUND;
        }
        pData->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return ERROR_SUCCESS;
    }
};

class BannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        COsServices services;
        services.pSystem = &m_system;
        m_previous = SetOs(services);
    }
    void TearDown() override { SetOs(m_previous); }

    static std::string ResPath(const char* pszName) { return std::string(NIMBREL_RES_DIR) + "\\" + pszName; }
    std::vector<BYTE> ReadRes(const char* pszName) {
        std::vector<BYTE> abData;
        EXPECT_EQ(m_system.ReadFile(ResPath(pszName), &abData), ERROR_SUCCESS);
        return abData;
    }

    CHostFileSystem m_system;
    COsServices m_previous;
};

TEST_F(BannerTest, BothBannersDecodeAtTheirSizes) {
    CDibImage sidebar;
    ASSERT_TRUE(sidebar.LoadPngFile(ResPath("BXSidebar.png"))) << sidebar.Error();
    EXPECT_EQ(sidebar.Width(), 164);
    EXPECT_EQ(sidebar.Height(), 314);
    EXPECT_EQ(sidebar.BitDepth(), 24);
    EXPECT_EQ(sidebar.Pixels().size(), 164u * 314u * 4u);
    // Top-left is the deep blue of the gradient: blue first in each pixel, opaque.
    const BYTE* pTop = sidebar.Pixel(0, 0);
    EXPECT_GT(pTop[0], pTop[2]);
    EXPECT_EQ(pTop[3], 255);

    CDibImage topbar;
    ASSERT_TRUE(topbar.LoadPngFile(ResPath("BXTopbar.png"))) << topbar.Error();
    EXPECT_EQ(topbar.Width(), 497);
    EXPECT_EQ(topbar.Height(), 57);
    // The title side is white.
    const BYTE* pLeft = topbar.Pixel(5, 5);
    EXPECT_EQ((std::vector<BYTE>(pLeft, pLeft + 4)), (std::vector<BYTE>{255, 255, 255, 255}));
}

TEST_F(BannerTest, MissingFileFails) {
    CDibImage image;
    EXPECT_FALSE(image.LoadPngFile(ResPath("NoSuchBanner.png")));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_NE(image.Error(), "");
}

TEST_F(BannerTest, TruncatedFileFails) {
    std::vector<BYTE> abPng = ReadRes("BXTopbar.png");
    ASSERT_GT(abPng.size(), 100u);
    // Cut inside the signature, the header, the pixel data, and just before and inside the end chunk.
    for (std::size_t nKeep : {std::size_t{0}, std::size_t{4}, std::size_t{8}, std::size_t{20},
                              abPng.size() / 2, abPng.size() - 12, abPng.size() - 1}) {
        CDibImage image;
        EXPECT_FALSE(image.DecodePng(abPng.data(), nKeep)) << nKeep;
        EXPECT_TRUE(image.IsEmpty()) << nKeep;
    }
    // The same through a file on disk.
    std::string strPath = ::testing::TempDir() + "truncated_banner.png";
    std::ofstream(strPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(abPng.data()), abPng.size() / 3);
    CDibImage image;
    EXPECT_FALSE(image.LoadPngFile(strPath));
    std::remove(strPath.c_str());
}

TEST_F(BannerTest, NonPngAndDamagedDataFail) {
    std::vector<BYTE> abScript = ReadRes("nimbrel.rc");
    CDibImage image;
    EXPECT_FALSE(image.DecodePng(abScript.data(), abScript.size()));
    EXPECT_FALSE(image.DecodePng(nullptr, 0));

    std::vector<BYTE> abPng = ReadRes("BXSidebar.png");
    std::vector<BYTE> abDamaged = abPng;
    abDamaged[abDamaged.size() / 2] ^= 0x5A;  // inside the compressed pixels: CRC and inflate both object
    EXPECT_FALSE(image.DecodePng(abDamaged.data(), abDamaged.size()));
    EXPECT_TRUE(image.IsEmpty());

    // A header that claims an absurd width (with a correct CRC) is refused before any allocation.
    abDamaged = abPng;
    const std::size_t IHDR_DATA = 16;
    abDamaged[IHDR_DATA] = 0x00, abDamaged[IHDR_DATA + 1] = 0x10, abDamaged[IHDR_DATA + 2] = 0x00;
    uLong nCrc = crc32(0, abDamaged.data() + 12, 17);
    for (int i = 0; i < 4; ++i) {
        abDamaged[29 + i] = static_cast<BYTE>(nCrc >> (24 - 8 * i));
    }
    EXPECT_FALSE(image.DecodePng(abDamaged.data(), abDamaged.size()));
    EXPECT_NE(image.Error().find("IHDR"), std::string::npos) << image.Error();

    // A good decode after failures starts from a clean state.
    EXPECT_TRUE(image.DecodePng(abPng.data(), abPng.size()));
    EXPECT_EQ(image.Error(), "");
}

// Other layouts a replaced banner might use, written with libpng itself.
std::vector<BYTE> WritePng(png_uint_32 nFormat, int nWidth, int nHeight, const std::vector<BYTE>& abPixels) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = nWidth;
    image.height = nHeight;
    image.format = nFormat;
    png_alloc_size_t nSize = 0;
    EXPECT_TRUE(png_image_write_get_memory_size(image, nSize, 0, abPixels.data(), 0, nullptr));
    std::vector<BYTE> abPng(nSize);
    EXPECT_TRUE(png_image_write_to_memory(&image, abPng.data(), &nSize, 0, abPixels.data(), 0, nullptr));
    abPng.resize(nSize);
    return abPng;
}

TEST_F(BannerTest, GreyAndAlphaImagesConvertToBgra) {
    CDibImage image;
    std::vector<BYTE> abGrey = WritePng(PNG_FORMAT_GRAY, 2, 1, {0x10, 0xF0});
    ASSERT_TRUE(image.DecodePng(abGrey.data(), abGrey.size())) << image.Error();
    EXPECT_EQ(image.BitDepth(), 8);
    EXPECT_EQ(image.Pixels(), (std::vector<BYTE>{0x10, 0x10, 0x10, 0xFF, 0xF0, 0xF0, 0xF0, 0xFF}));

    std::vector<BYTE> abRgba = WritePng(PNG_FORMAT_RGBA, 1, 2, {1, 2, 3, 4, 250, 251, 252, 253});
    ASSERT_TRUE(image.DecodePng(abRgba.data(), abRgba.size())) << image.Error();
    EXPECT_EQ(image.BitDepth(), 32);
    EXPECT_EQ(image.Width(), 1);
    EXPECT_EQ(image.Height(), 2);
    EXPECT_EQ(image.Pixels(), (std::vector<BYTE>{3, 2, 1, 4, 252, 251, 250, 253}));
}

}  // namespace
