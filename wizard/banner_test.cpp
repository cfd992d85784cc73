#include "wizard/banner.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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
    EXPECT_EQ(image.Error(), "image too large for a banner");
    EXPECT_LT(image.LargestDecoderBlock(), 64u * 1024);

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

// A chunk with its length and a correct CRC.
std::vector<BYTE> Chunk(const char* pszType, const std::vector<BYTE>& abData, uint32_t nClaimedLength) {
    std::vector<BYTE> ab;
    for (int i = 3; i >= 0; --i) {
        ab.push_back(static_cast<BYTE>(nClaimedLength >> (8 * i)));
    }
    ab.insert(ab.end(), pszType, pszType + 4);
    ab.insert(ab.end(), abData.begin(), abData.end());
    const uLong nCrc = crc32(0, ab.data() + 4, static_cast<uInt>(4 + abData.size()));
    for (int i = 3; i >= 0; --i) {
        ab.push_back(static_cast<BYTE>(nCrc >> (8 * i)));
    }
    return ab;
}

// The file with a chunk put right after its header (signature and IHDR, 33 bytes).
std::vector<BYTE> WithChunkAfterHeader(std::vector<BYTE> abPng, const std::vector<BYTE>& abChunk) {
    abPng.insert(abPng.begin() + 33, abChunk.begin(), abChunk.end());
    return abPng;
}

// The file with the image size in its header changed (and the header's CRC made right).
std::vector<BYTE> WithSize(std::vector<BYTE> abPng, uint32_t nWidth, uint32_t nHeight) {
    for (int i = 0; i < 4; ++i) {
        abPng[16 + i] = static_cast<BYTE>(nWidth >> (24 - 8 * i));
        abPng[20 + i] = static_cast<BYTE>(nHeight >> (24 - 8 * i));
    }
    const uLong nCrc = crc32(0, abPng.data() + 12, 17);
    for (int i = 0; i < 4; ++i) {
        abPng[29 + i] = static_cast<BYTE>(nCrc >> (24 - 8 * i));
    }
    return abPng;
}

// A few hundred bytes must not make the decoder allocate what a chunk claims: chunks that a banner
// does not use are skipped, not read into memory.
TEST_F(BannerTest, AncillaryChunksCostNoMemoryWhateverTheyClaim) {
    const std::vector<BYTE> abSmall = WritePng(PNG_FORMAT_RGB, 2, 2, std::vector<BYTE>(12, 0x40));
    CDibImage image;
    // A text chunk that claims 1,946,157,093 bytes in a file that ends a few bytes later.
    std::vector<BYTE> abText = Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'}, 1946157093u);
    abText.resize(abText.size() - 4);  // no CRC: the file is cut inside the chunk
    std::vector<BYTE> abClaim(abSmall.begin(), abSmall.begin() + 33);
    abClaim.insert(abClaim.end(), abText.begin(), abText.end());
    EXPECT_FALSE(image.DecodePng(abClaim.data(), abClaim.size()));
    EXPECT_LT(image.LargestDecoderBlock(), 64u * 1024);

    // Whole text and colour-profile chunks of 300 KB before the pixels are skipped; the image decodes.
    const std::vector<BYTE> abBulk(300 * 1024, 'x');
    std::vector<BYTE> abLong = WithChunkAfterHeader(abSmall, Chunk("tEXt", abBulk, 300 * 1024));
    abLong = WithChunkAfterHeader(abLong, Chunk("zTXt", abBulk, 300 * 1024));
    abLong = WithChunkAfterHeader(abLong, Chunk("iCCP", abBulk, 300 * 1024));
    ASSERT_TRUE(image.DecodePng(abLong.data(), abLong.size())) << image.Error();
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.Pixel(1, 1)[0], 0x40);
    EXPECT_LT(image.LargestDecoderBlock(), 64u * 1024);
}

// The bound is the pixel count, not one side: a long, thin banner is a banner; a huge square image
// is refused before its pixels are allocated.
TEST_F(BannerTest, ImagesAreBoundedByTheirPixelCount) {
    CDibImage image;
    const std::vector<BYTE> abThin = WritePng(PNG_FORMAT_GRAY, 9000, 10, std::vector<BYTE>(90000, 0x80));
    ASSERT_TRUE(image.DecodePng(abThin.data(), abThin.size())) << image.Error();
    EXPECT_EQ(image.Width(), 9000);
    EXPECT_EQ(image.Height(), 10);
    EXPECT_EQ(image.Pixels().size(), 9000u * 10u * 4u);

    const std::vector<BYTE> abSmall = WritePng(PNG_FORMAT_GRAY, 4, 4, std::vector<BYTE>(16, 0x80));
    for (const auto& size : {std::pair<uint32_t, uint32_t>{8000, 8000}, {4097, 1024}, {1, 4194305}}) {
        const std::vector<BYTE> abHuge = WithSize(abSmall, size.first, size.second);
        EXPECT_FALSE(image.DecodePng(abHuge.data(), abHuge.size())) << size.first << " x " << size.second;
        EXPECT_EQ(image.Error(), "image too large for a banner");
        EXPECT_LT(image.LargestDecoderBlock(), 64u * 1024);
        EXPECT_TRUE(image.IsEmpty());
    }
}

}  // namespace
