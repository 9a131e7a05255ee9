// The real CIFs of the shared corpus (SHELXL's, diffractometers' and others'): each one reads, or
// the message names the file and the line of its fault (one SHELXL CIF has "_cell_volume" with no
// value); each SHELXL CIF that reads has a block with its cell and an atom-site loop.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cif/cif_document.h"
#include "support/temp_folder.h"
#include "text/errors.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

TEST(CifReaderCorpus, EveryCorpusCifReads) {
  const fs::path corpus = corpusFolder();
  if (!fs::exists(corpus)) GTEST_SKIP() << "no corpus beside the checkout";
  int files = 0;
  for (const char* folder : {"cif_shelxl", "cif_od", "cif_other"}) {
    if (!fs::exists(corpus / folder)) continue;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus / folder)) {
      SCOPED_TRACE(entry.path().string());
      cif::CifDocument doc;
      try {
        doc = cif::readCifFile(entry.path().string());
      } catch (const UserError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(entry.path().filename().string() + ":"), std::string::npos)
            << message;
        continue;
      }
      ASSERT_FALSE(doc.blocks.empty());
      ++files;
      if (std::string(folder) != "cif_shelxl") continue;
      bool structure = false;
      for (const cif::CifBlock& block : doc.blocks)
        structure |= block.findValue("_cell_length_a") && block.findLoop("_atom_site_label");
      EXPECT_TRUE(structure) << "no block with a cell and atom sites";
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace tavo::testing
