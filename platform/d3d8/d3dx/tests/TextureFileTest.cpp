// The texture-from-file call on hostile files, names in another letter case
// and names of special files.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/d3d8/testing/DeviceFixture.h"
#include "platform/d3d8/d3dx8tex.h"
#include "platform/testing/AllocatedBytes.h"
#include "platform/testing/TempFolder.h"
#include "platform/win32/Cp932.h"

namespace {

namespace fs = std::filesystem;

// A native path as the system's Shift-JIS text.
std::string System(const std::string& native) { return Platform::Cp932::FromUtf8(native.data(), native.size()); }

// The call's result, with the texture released; the bytes the call
// allocated are checked where the build can count them.
HRESULT Load(IDirect3DDevice8* device, const std::string& systemPath, D3DXIMAGE_INFO* info = nullptr) {
  IDirect3DTexture8* t = nullptr;
  HRESULT hr = E_FAIL;
  const auto bytes = PlatformTesting::AllocatedBytes([&] {
    hr = D3DXCreateTextureFromFileExA(device, systemPath.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0, D3DFMT_UNKNOWN,
                                      D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, info, nullptr, &t);
  });
  if (FAILED(hr)) {
    EXPECT_EQ(t, nullptr);
    if (bytes) {
      EXPECT_LT(*bytes, 4u << 20) << "allocated before refusing";
    }
  }
  if (t) t->Release();
  return hr;
}

// Every bomb of the shared hostile inputs has a row.
TEST_F(DeviceTest, TextureFromHostileFilesIsRefusedBeforeAllocating) {
  const fs::path dir = fs::path(SAVORA_SHARED_TESTDATA_DIR) / "hostile";
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no shared hostile inputs at " << dir;
  const std::map<std::string, HRESULT> rows = {
      {"bomb-progressive-jpeg-65500.jpg", D3DXERR_INVALIDDATA},
      {"bomb-tga-16384.tga", D3DXERR_INVALIDDATA},
      {"bomb-bmp-16384.bmp", D3DXERR_INVALIDDATA},
      {"bomb-png-16384.png", D3DXERR_INVALIDDATA},
      {"bomb-ppm-16384.ppm", D3DXERR_INVALIDDATA},
  };
  size_t read = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("bomb-", 0) != 0) continue;
    SCOPED_TRACE(name);
    const auto row = rows.find(name);
    ASSERT_NE(row, rows.end()) << "a hostile file without a row";
    EXPECT_EQ(Load(device, System(entry.path().string())), row->second);
    ++read;
  }
  EXPECT_EQ(read, rows.size());
}

TEST_F(DeviceTest, TextureFromFileFindsNamesInAnyCase) {
  PlatformTesting::TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  fs::create_directory(dir.path() + "/Maps");
  const std::string keyed = std::string(SAVORA_TESTDATA_DIR) + "/draw/keyed.bmp";
  fs::copy_file(keyed, dir.path() + "/Maps/Skin.BMP");
  // "表" is 0x95 0x5C in Shift-JIS; full-width letters fold as ASCII does.
  fs::copy_file(keyed, dir.path() + "/Maps/\xE8\xA1\xA8\xEF\xBC\xA1.bmp");  // 表Ａ in UTF-8
  const std::string base = System(dir.path());
  struct Row {
    std::string path;
    HRESULT result;
  };
  const Row rows[] = {
      {base + "\\Maps\\Skin.BMP", D3D_OK},
      {base + "\\MAPS\\skin.bmp", D3D_OK},
      {base + "/maps/SKIN.Bmp", D3D_OK},
      {base + "\\maps\\\x95\x5C\x82\x81.BMP", D3D_OK},  // 表ａ
      {base + "\\maps\\skin.bmp\\x", D3DXERR_INVALIDDATA},
      {base + "\\maps\\skins.bmp", D3DXERR_INVALIDDATA},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    D3DXIMAGE_INFO info{};
    EXPECT_EQ(Load(device, row.path, &info), row.result);
    if (row.result == D3D_OK) {
      EXPECT_EQ(info.Width, 4u);
    }
  }
}

TEST_F(DeviceTest, TextureFromFileReadsOnlyRegularFiles) {
  PlatformTesting::TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  ASSERT_EQ(mkfifo((dir.path() + "/pipe.bmp").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir.path() + "/zero.tga").c_str()), 0);
  ASSERT_EQ(symlink("/dev/urandom", (dir.path() + "/random.tga").c_str()), 0);
  fs::create_directory(dir.path() + "/folder.bmp");
  for (const std::string& path : {std::string("/dev/zero"), std::string("/dev/urandom"), dir.path() + "/pipe.bmp",
                                  dir.path() + "/ZERO.TGA", dir.path() + "/random.tga", dir.path() + "/folder.bmp"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(Load(device, System(path)), D3DXERR_INVALIDDATA);
  }
}

}  // namespace
