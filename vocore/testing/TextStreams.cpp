#include "vocore/testing/TextStreams.h"

#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "ferrox/file/File.h"
#include "ferrox/testing/TempFolder.h"
#include "vocore/item/VoIItem.h"
#include "vocore/persist/VoLoad.h"
#include "vocore/persist/VoSave.h"
#include "vocore/vocore/VoMaster.h"

namespace votest {

MemoryFile::MemoryFile() : file_(open_memstream(&data_, &size_)) {}

MemoryFile::~MemoryFile() {
  if (file_) std::fclose(file_);
  std::free(data_);
}

std::string MemoryFile::Text() {
  std::fflush(file_);
  return std::string(data_, size_);
}

VoLoad* NewReader(const std::string& text) {
  FrxTest::TempFolder folder;
  folder.Put("text.txt", text);
  unsigned long size = 0;
  char* buffer = Frx::File::ReadText(folder.Native("text.txt").c_str(), &size);
  return new VoLoad(buffer);
}

void LoadBlock(VoIItem* item, const char* block, const std::string& text) {
  std::unique_ptr<VoLoad> reader(NewReader(text));
  ASSERT_EQ(reader->OpenChunk(block), 1);
  item->Load(*reader);
  reader->CloseChunk();
}

std::string SaveText(VoIItem* item) {
  MemoryFile out;
  VoSave save(out.get());
  VoMaster::ExecSave(item, save);
  return out.Text();
}

}  // namespace votest
