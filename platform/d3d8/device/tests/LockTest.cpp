// Locks: the back buffer (one surface, only the locked rectangle read), the
// record of every lock, and buffer writes reaching GL and the index checks.
#include <cstring>

#include "platform/d3d8/testing/DeviceFixture.h"

namespace {

uint32_t At(const D3DLOCKED_RECT& lr, int x, int y) {
  uint32_t v;
  std::memcpy(&v, static_cast<const uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, 4);
  return v & 0xFFFFFF;
}

}  // namespace

TEST_F(DeviceTest, BackBufferLocksReadOnlyTheLockedRectangle) {
  // Cells of distinct colours, and a textured quad drawn last (its texturing
  // must not reach pixels written back through a lock).
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  for (int y = 0; y < static_cast<int>(Height); y += 4)
    for (int x = 0; x < static_cast<int>(Width); x += 4) {
      D3DRECT r{x, y, x + 4, y + 4};
      device->Clear(1, &r, D3DCLEAR_TARGET, static_cast<D3DCOLOR>(x * 4 << 16 | y * 5 << 8 | (x + y)), 1.0f, 0);
    }
  const uint32_t redTexel = 0xFFFF0000;
  IDirect3DTexture8* red = MakeTexture(device, 1, 1, &redTexel);
  ASSERT_NE(red, nullptr);
  D3DLOCKED_RECT lr{};
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetTexture(0, red);
  FillRect(60, 44, 64, 48, 0.5f, 0xFFFFFFFF);
  const std::vector<uint32_t> frame = Frame();
  ASSERT_EQ(frame.size(), Width * Height);

  IDirect3DSurface8* back = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
  const RECT rects[] = {{5, 7, 6, 8}, {10, 20, 13, 22}, {0, 0, static_cast<int32_t>(Width), 1},
                        {static_cast<int32_t>(Width) - 4, static_cast<int32_t>(Height) - 3,
                         static_cast<int32_t>(Width), static_cast<int32_t>(Height)}};
  for (const RECT& r : rects) {
    SCOPED_TRACE(testing::Message() << r.left << "," << r.top << " " << r.right << "," << r.bottom);
    const uint64_t before = Platform::D3DPixelsReadBack(device);
    ASSERT_EQ(back->LockRect(&lr, &r, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(Platform::D3DPixelsReadBack(device) - before, uint64_t(r.right - r.left) * (r.bottom - r.top));
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) ASSERT_EQ(At(lr, x - r.left, y - r.top), frame[y * Width + x]);
    back->UnlockRect();
  }

  // A written sub-rectangle goes back where it was, and nothing else changes.
  const RECT patch{30, 30, 32, 32};
  ASSERT_EQ(back->LockRect(&lr, &patch, 0), D3D_OK);
  const uint32_t green = 0xFF00FF00;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) std::memcpy(static_cast<uint8_t*>(lr.pBits) + y * lr.Pitch + x * 4, &green, 4);
  back->UnlockRect();
  back->Release();
  const std::vector<uint32_t> after = Frame();
  for (int y = 28; y < 34; ++y)
    for (int x = 28; x < 34; ++x) {
      const bool inside = x >= 30 && x < 32 && y >= 30 && y < 32;
      EXPECT_EQ(after[y * Width + x], inside ? 0x00FF00u : frame[y * Width + x]) << x << "," << y;
    }
  device->SetTexture(0, nullptr);
  red->Release();
}

TEST_F(DeviceTest, BackBufferIsOneSurfaceWithCountedReferences) {
  IDirect3DSurface8 *a = nullptr, *b = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &a), D3D_OK);
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &b), D3D_OK);
  EXPECT_EQ(a, b);
  // The device's own reference and one per call.
  EXPECT_EQ(a->AddRef(), 4u);
  EXPECT_EQ(a->Release(), 3u);
  EXPECT_EQ(b->Release(), 2u);
  EXPECT_EQ(a->Release(), 1u);
  IDirect3DSurface8* c = nullptr;
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &c), D3D_OK);
  EXPECT_EQ(c, a);
  D3DLOCKED_RECT lr{};
  ASSERT_EQ(c->LockRect(&lr, nullptr, D3DLOCK_READONLY), D3D_OK);
  c->UnlockRect();
  // Held past its device: still an object, but it reads nothing.
  device->Release();
  device = nullptr;
  EXPECT_EQ(c->LockRect(&lr, nullptr, D3DLOCK_READONLY), D3DERR_INVALIDCALL);
  IDirect3DDevice8* owner = nullptr;
  EXPECT_EQ(c->GetDevice(&owner), D3DERR_INVALIDCALL);
  EXPECT_EQ(c->Release(), 0u);
}

TEST_F(DeviceTest, LocksAreRecordedWithRangesAndFlags) {
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  IDirect3DTexture8* t = nullptr;
  IDirect3DSurface8* back = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(64, D3DUSAGE_DYNAMIC, ScreenFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
  ASSERT_EQ(device->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
  ASSERT_EQ(device->CreateTexture(4, 4, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &t), D3D_OK);
  ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
  Platform::SetD3DCallRecording(device, true);
  BYTE* p = nullptr;
  D3DLOCKED_RECT lr{};
  const RECT part{1, 2, 3, 4};
  vb->Lock(16, 32, &p, D3DLOCK_DISCARD), vb->Unlock();
  ib->Lock(0, 0, &p, D3DLOCK_NOOVERWRITE), ib->Unlock();
  t->LockRect(0, &lr, &part, D3DLOCK_READONLY), t->UnlockRect(0);
  t->LockRect(1, &lr, nullptr, 0), t->UnlockRect(1);
  back->LockRect(&lr, &part, D3DLOCK_READONLY), back->UnlockRect();
  EXPECT_EQ(vb->Lock(60, 8, &p, 0), D3DERR_INVALIDCALL);  // refused, still recorded
  Platform::SetD3DCallRecording(device, false);
  const std::vector<std::string> want = {"LockVertexBuffer(16,32,8192)", "LockIndexBuffer(0,0,4096)",
                                         "LockRect(0,1,2,3,4,16)",       "LockRect(1,0,0,2,2,0)",
                                         "LockBackBuffer(1,2,3,4,16)",   "LockVertexBuffer(60,8,0)"};
  EXPECT_EQ(Platform::TakeD3DCalls(device), want);
  back->Release();
  t->Release();
  ib->Release();
  vb->Release();
}

TEST_F(DeviceTest, BufferWritesReachGlAndIndicesAreCheckedAfterEachChange) {
  device->SetRenderState(D3DRS_LIGHTING, FALSE);
  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  constexpr unsigned Quad = 4 * sizeof(ScreenVertex);
  ASSERT_EQ(device->CreateVertexBuffer(2 * Quad, D3DUSAGE_DYNAMIC, ScreenFvf, D3DPOOL_DEFAULT, &vb), D3D_OK);
  ASSERT_EQ(device->CreateIndexBuffer(12 * 2, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
  auto writeQuad = [&](int q, D3DCOLOR colour, DWORD flags) {
    BYTE* p = nullptr;
    ASSERT_EQ(vb->Lock(q * Quad, Quad, &p, flags), D3D_OK);
    const float x = q ? 40.0f : 4.0f;
    const ScreenVertex v[4] = {{x, 4, 0.5f, 1, colour, 0, 0},
                               {x + 10, 4, 0.5f, 1, colour, 0, 0},
                               {x, 14, 0.5f, 1, colour, 0, 0},
                               {x + 10, 14, 0.5f, 1, colour, 0, 0}};
    std::memcpy(p, v, sizeof v);
    vb->Unlock();
  };
  auto writeIndices = [&](unsigned first, std::initializer_list<uint16_t> values, DWORD flags) {
    BYTE* p = nullptr;
    ASSERT_EQ(ib->Lock(first * 2, static_cast<unsigned>(values.size() * 2), &p, flags), D3D_OK);
    std::memcpy(p, values.begin(), values.size() * 2);
    ib->Unlock();
  };
  auto draw = [&](unsigned startIndex) { return device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 8, startIndex, 2); };
  writeQuad(0, 0xFFFF0000, 0);
  writeQuad(1, 0xFF00FF00, 0);
  writeIndices(0, {0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7}, 0);
  device->SetVertexShader(ScreenFvf);
  device->SetStreamSource(0, vb, sizeof(ScreenVertex));
  device->SetIndices(ib, 0);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  ASSERT_EQ(draw(0), D3D_OK);
  ASSERT_EQ(draw(6), D3D_OK);
  EXPECT_EQ(Pixel(8, 8), 0xFF0000u);
  EXPECT_EQ(Pixel(44, 8), 0x00FF00u);

  // Only the second quad rewritten, in place: it reaches GL, the first stays.
  writeQuad(1, 0xFF0000FF, D3DLOCK_NOOVERWRITE);
  ASSERT_EQ(draw(0), D3D_OK);
  ASSERT_EQ(draw(6), D3D_OK);
  EXPECT_EQ(Pixel(8, 8), 0xFF0000u);
  EXPECT_EQ(Pixel(44, 8), 0x0000FFu);
  // Discarding for the first quad keeps the second one's data in the new store.
  writeQuad(0, 0xFFFFFFFF, D3DLOCK_DISCARD);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
  ASSERT_EQ(draw(0), D3D_OK);
  ASSERT_EQ(draw(6), D3D_OK);
  EXPECT_EQ(Pixel(8, 8), 0xFFFFFFu);
  EXPECT_EQ(Pixel(44, 8), 0x0000FFu);

  // An index past the vertices written into the second range: that range is
  // refused, the first still drawn, and a rewrite makes it good again.
  writeIndices(9, {8}, D3DLOCK_NOOVERWRITE);
  EXPECT_EQ(draw(6), D3DERR_INVALIDCALL);
  EXPECT_EQ(draw(0), D3D_OK);
  EXPECT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 8, 0, 4), D3DERR_INVALIDCALL);
  writeIndices(9, {6}, 0);
  EXPECT_EQ(draw(6), D3D_OK);
  // The same indices against a smaller vertex buffer, and a base vertex past it.
  IDirect3DVertexBuffer8* small = nullptr;
  ASSERT_EQ(device->CreateVertexBuffer(Quad, 0, ScreenFvf, D3DPOOL_MANAGED, &small), D3D_OK);
  device->SetStreamSource(0, small, sizeof(ScreenVertex));
  EXPECT_EQ(draw(0), D3D_OK);
  EXPECT_EQ(draw(6), D3DERR_INVALIDCALL);
  device->SetStreamSource(0, vb, sizeof(ScreenVertex));
  device->SetIndices(ib, 4);
  EXPECT_EQ(draw(0), D3D_OK);
  EXPECT_EQ(draw(6), D3DERR_INVALIDCALL);
  device->SetStreamSource(0, nullptr, 0);
  device->SetIndices(nullptr, 0);
  small->Release();
  vb->Release();
  ib->Release();
}
