#include "assets/generator/output/embedding.hpp"

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "assets/generator/output/recipe.hpp"

namespace wizlo::art {

namespace {

namespace fs = std::filesystem;

// Rewrites a file only when its text changes, so an unchanged picture does
// not make the build reassemble and relink.
void writeIfChanged(const fs::path& path, const std::string& contents) {
  {
    std::ifstream in(path, std::ios::binary);
    if (in) {
      std::ostringstream old;
      old << in.rdbuf();
      if (old.str() == contents) return;
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string quotedForAssembler(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// FNV-1a. The assembler file names each image's hash, so it changes whenever
// an image does: the build cannot see through .incbin, only the file's text.
std::uint64_t fingerprint(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (std::uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

}  // namespace

std::vector<std::string> writeEmbedding(const std::vector<DrawnImage>& images, const fs::path& outDir) {
  const fs::path imageDir = outDir / "images";
  fs::create_directories(imageDir);

  // Identical images share one file and one symbol.
  std::map<std::vector<std::uint8_t>, int> symbolOf;
  std::vector<int> symbols;
  std::vector<std::string> files;  // by symbol
  std::ostringstream assembly;
  assembly << "// Made by wizlo_art_generator: every distinct picture image, byte for byte.\n"
           // One file for both program formats: a PE/COFF assembler (the Windows program) knows
           // neither ELF's section types nor symbol types and sizes.
           << "#ifdef __ELF__\n"
           << "#define WIZLO_IMAGES .section .rodata.wizlo_images,\"a\",@progbits\n"
           << "#define WIZLO_OBJECT(symbol) .type symbol, @object\n"
           << "#define WIZLO_SIZE(symbol) .size symbol, . - symbol\n"
           << "#else\n"
           << "#define WIZLO_IMAGES .section .rdata$wizlo_images,\"dr\"\n"
           << "#define WIZLO_OBJECT(symbol)\n"
           << "#define WIZLO_SIZE(symbol)\n"
           << "#endif\n"
           << "  WIZLO_IMAGES\n";
  for (const DrawnImage& image : images) {
    auto [place, isNew] = symbolOf.try_emplace(image.bytes, static_cast<int>(symbolOf.size()));
    symbols.push_back(place->second);
    if (!isNew) continue;
    const std::string file = std::string(nameOf(image.id)) + "-" + std::to_string(image.width) + "x" +
                             std::to_string(image.height) + (image.jpeg ? ".jpg" : ".png");
    files.push_back(file);
    const fs::path path = imageDir / file;
    writeIfChanged(path, std::string(image.bytes.begin(), image.bytes.end()));
    const std::string symbol = "wizlo_image_" + std::to_string(place->second);
    assembly << "  // " << file << ", " << image.bytes.size() << " bytes, fingerprint " << std::hex
             << fingerprint(image.bytes) << std::dec << "\n";
    assembly << "  .balign 16\n  .globl " << symbol << "\n  WIZLO_OBJECT(" << symbol << ")\n" << symbol
             << ":\n  .incbin " << quotedForAssembler(fs::absolute(path).string()) << "\n  WIZLO_SIZE(" << symbol
             << ")\n";
  }
  // The images are data only; say so, or the linker makes the stack executable.
  assembly << "#ifdef __ELF__\n  .section .note.GNU-stack,\"\",@progbits\n#endif\n";
  writeIfChanged(outDir / "embedded_images.S", assembly.str());

  // Two tables of the same images: one with the bytes linked into the program, and one for the
  // browser, which fetches each image by its file name when it is first drawn.
  std::vector<int> firstOf(kPictureCount + 1, -1);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::size_t id = static_cast<std::size_t>(images[i].id);
    if (firstOf[id] < 0) firstOf[id] = static_cast<int>(i);
    if (i > 0 && images[i - 1].id > images[i].id) throw std::logic_error("images must come in id order");
  }
  firstOf[kPictureCount] = static_cast<int>(images.size());
  for (std::size_t id = kPictureCount; id-- > 0;)
    if (firstOf[id] < 0) throw std::logic_error("picture " + std::string(nameOf(pictureAt(id))) + " has no image");

  const auto tableOf = [&](bool linked) {
    std::ostringstream table;
    table << "// Made by wizlo_art_generator: which " << (linked ? "embedded" : "fetched")
          << " images belong to which picture.\n"
          << "#include \"assets/embedded_table.hpp\"\n\n";
    if (linked)
      for (std::size_t s = 0; s < symbolOf.size(); ++s)
        table << "extern \"C\" const std::uint8_t wizlo_image_" << s << "[];\n";
    // constinit: left to itself GCC fills this table at start-up, with code, since its entries name
    // their files; as constant data it costs the program's start nothing.
    table << "\nnamespace wizlo::assets::embedded {\n\nconstinit const EncodedImage kImages[] = {\n";
    for (std::size_t i = 0; i < images.size(); ++i) {
      const DrawnImage& image = images[i];
      table << "    {" << (linked ? "wizlo_image_" + std::to_string(symbols[i]) : std::string("nullptr")) << ", "
            << image.bytes.size() << ", " << image.width << ", " << image.height << ", ImageFormat::"
            << (image.jpeg ? "Jpeg" : "Png") << ", \"" << files[static_cast<std::size_t>(symbols[i])] << "\"},\n";
    }
    table << "};\n\nconst std::uint16_t kFirstImage[kPictureCount + 1] = {";
    for (std::size_t id = 0; id <= kPictureCount; ++id)
      table << (id % 12 == 0 ? "\n    " : " ") << firstOf[id] << ",";
    table << "\n};\n\n}  // namespace wizlo::assets::embedded\n";
    return table.str();
  };
  writeIfChanged(outDir / "embedded_table.cpp", tableOf(true));
  writeIfChanged(outDir / "fetched_table.cpp", tableOf(false));
  std::vector<std::string> fileOfImage;
  for (const int symbol : symbols) fileOfImage.push_back(files[static_cast<std::size_t>(symbol)]);
  return fileOfImage;
}

void writeFirstFrame(const std::vector<DrawnImage>& images, const std::vector<std::string>& files,
                     const FormLayout& start, const fs::path& outDir) {
  const ImageLayout& backdrop = start.Controls.back();
  std::ostringstream json;
  json << "{\"client\": [" << start.ClientWidth / kTwipsPerPixel << ", " << start.ClientHeight / kTwipsPerPixel
       << "], \"drawn\": [" << backdrop.Width / kTwipsPerPixel << ", " << backdrop.Height / kTwipsPerPixel
       << "], \"images\": [";
  const char* separator = "";
  for (std::size_t i = 0; i < images.size(); ++i)
    if (backdrop.Picture && images[i].id == *backdrop.Picture) {
      json << separator << "[" << images[i].width << ", " << images[i].height << ", \"" << files[i] << "\"]";
      separator = ", ";
    }
  json << "]}\n";
  writeIfChanged(outDir / "first_frame.json", json.str());
}

void writeScaled(const std::vector<DrawnImage>& images, const std::vector<std::string>& files,
                 const fs::path& outDir) {
  std::ostringstream json;
  const char* separator = "[\n  ";
  for (std::size_t i = 0; i < images.size();) {
    const PictureId id = images[i].id;
    std::ostringstream each;
    for (const char* between = ""; i < images.size() && images[i].id == id; ++i, between = ", ")
      each << between << "[" << images[i].width << ", " << images[i].height << ", \"" << files[i] << "\"]";
    const std::optional<ShownSizes> shown = shownSizesOf(id);
    if (!shown) continue;
    json << separator << "[[" << shown->smallest.width << ", " << shown->smallest.height << "], [" << shown->largest.width
         << ", " << shown->largest.height << "], [" << each.str() << "]]";
    separator = ",\n  ";
  }
  json << "\n]\n";
  writeIfChanged(outDir / "scaled.json", json.str());
}

}  // namespace wizlo::art
