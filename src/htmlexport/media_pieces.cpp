// Media pieces, and the entries made of text and media.
#include "htmlexport/media_pieces.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "htmlexport/data_uri.h"
#include "package/base64.h"
#include "package/mime_types.h"
#include "platform/files.h"

namespace tarvik {

namespace {

// Formats that are compressed already: LZ77 finds nothing in their Base64,
// which the fixed code then takes.
bool IsCompressedFormat(const std::string& file) {
  const std::string mime = MimeTypeForFile(file);
  return mime.starts_with("video/") || mime == "image/png" || mime == "image/jpeg" || mime == "image/gif" ||
         mime == "image/webp" || mime == "audio/mpeg" || mime == "audio/ogg";
}

// A stretch of a text: its own characters, or a media reference.
struct TPart {
  std::string_view Text;
  size_t Media = 0;
  bool IsMedia = false;
};

std::vector<TPart> PartsOf(std::string_view text, size_t count) {
  std::vector<TPart> parts;
  SplitAtMediaReferences(
      text, count, [&](std::string_view stretch) { parts.push_back({stretch}); },
      [&](size_t index) { parts.push_back({{}, index, true}); });
  return parts;
}

// Output per call of Next, roughly: a few blocks of a file.
constexpr size_t kStep = 1 << 20;

// The stream of a streamed entry: the text's stretches compressed by zlib,
// each referenced file's data: URI read a block at a time and coded as it
// comes (the fixed code for the Base64 of compressed formats, straight from
// the file's bytes); with Base64, all of it encoded once more on the way,
// each file's part still with the fixed code, straight from its Base64.
class TMediaSource final : public TDeflateSource {
 public:
  TMediaSource(std::string before, std::string text, std::string after, std::vector<std::string> files,
               bool base64)
      : FBefore(std::move(before)), FText(std::move(text)), FAfter(std::move(after)), FFiles(std::move(files)),
        FOuter(base64) {
    FParts = PartsOf(FText, FFiles.size());
    uint64_t inner = 0;
    for (const TPart& part : FParts) inner += part.IsMedia ? DataUriLength(FFiles[part.Media]) : part.Text.size();
    FExpected = FBefore.size() + (FOuter ? Base64Length64(inner) : inner) + FAfter.size();
  }

  bool Next(std::string& out) override {
    if (FEnded) return false;
    if (!FStarted) {
      FStarted = true;
      FWriter.Text(FBefore, out);
    }
    while (out.size() < kStep) {
      if (FReader) {
        const size_t got = FReader->Read(FBytes.data(), FBytes.size());
        if (got > 0) {
          FileBytes(std::string_view(FBytes.data(), got), out);
          continue;
        }
        FChars.clear();
        FFile.Finish(FChars);
        Put(FChars, FCoded, out);
        FReader.reset();
        ++FPart;
        continue;
      }
      if (FPart == FParts.size()) {
        FChars.clear();
        FOuterStream.Finish(FChars);
        FWriter.Text(FChars, out);
        FWriter.Text(FAfter, out);
        FWriter.Finish(out);
        FEnded = true;
        return true;
      }
      const TPart& part = FParts[FPart];
      if (!part.IsMedia) {
        Put(part.Text, false, out);
        ++FPart;
        continue;
      }
      const std::string& file = FFiles[part.Media];
      if (DataUriLength(file) == 0) {  // gone since the page was rendered: nothing stands there
        ++FPart;
        continue;
      }
      // Twice encoded, every character is Base64: the fixed code takes all of the URI.
      FCoded = FOuter || IsCompressedFormat(file);
      Put(DataUriPrefix(file), FOuter, out);
      FReader = std::make_unique<TFileReader>(file);
      FBytes.resize(kBase64BlockBytes);
    }
    return true;
  }

  uint64_t Size() const override { return FEnded ? FWriter.Size() : FExpected; }
  uint32_t Crc() const override { return FWriter.Crc(); }

 private:
  // A block of the file being read: its Base64 goes on as text of the entry.
  void FileBytes(std::string_view bytes, std::string& out) {
    if (FCoded && !FOuter) {
      FFile.Groups(bytes, [&](std::string_view whole) { FWriter.Base64Of(whole, out); });
      return;
    }
    FChars.clear();
    FFile.Add(bytes, FChars);
    Put(FChars, FCoded, out);
  }

  // Text of the entry (before the outer Base64, when there is one), coded
  // with the fixed code or compressed by zlib.
  void Put(std::string_view text, bool coded, std::string& out) {
    if (!FOuter) {
      if (coded) FWriter.Base64(text, out);
      else FWriter.Text(text, out);
      return;
    }
    FOuterStream.Groups(text, [&](std::string_view whole) {
      if (coded) {
        FWriter.Base64Of(whole, out);
        return;
      }
      FOuterChars.clear();
      AppendBase64(FOuterChars, whole);
      FWriter.Text(FOuterChars, out);
    });
  }

  std::string FBefore, FText, FAfter;
  std::vector<std::string> FFiles;
  bool FOuter;
  std::vector<TPart> FParts;
  uint64_t FExpected = 0;
  TDeflateWriter FWriter;
  bool FStarted = false, FEnded = false;
  size_t FPart = 0;
  std::unique_ptr<TFileReader> FReader;
  bool FCoded = false;
  std::string FBytes, FChars, FOuterChars;
  TBase64Stream FFile, FOuterStream;
};

TZipEntry StreamedEntry(const std::string& name, std::shared_ptr<TDeflateSource> source) {
  TZipEntry entry;
  entry.Name = name;
  entry.Source = std::move(source);
  return entry;
}

}  // namespace

const TDeflatedPiece& TMediaPieces::Piece(size_t index) {
  const auto& files = FContext.ReferencedMedia();
  if (FPieces.size() < files.size()) FPieces.resize(files.size());
  if (FPieces[index]) return *FPieces[index];
  const std::string& file = files[index];
  const bool coded = IsCompressedFormat(file);
  auto stream = std::make_shared<std::string>();
  TDeflateWriter writer;
  if (DataUriLength(file) > 0) {
    writer.Text(DataUriPrefix(file), *stream);
    TFileReader reader(file);
    std::string bytes(kBase64BlockBytes, '\0'), text;
    TBase64Stream base64;
    while (const size_t got = reader.Read(bytes.data(), bytes.size())) {
      const std::string_view block(bytes.data(), got);
      if (coded) {
        base64.Groups(block, [&](std::string_view whole) { writer.Base64Of(whole, *stream); });
        continue;
      }
      text.clear();
      base64.Add(block, text);
      writer.Text(text, *stream);
    }
    text.clear();
    base64.Finish(text);
    if (coded) writer.Base64(text, *stream);
    else writer.Text(text, *stream);
  }
  writer.Flush(*stream);
  stream->shrink_to_fit();
  FPieces[index] = TDeflatedPiece{std::move(stream), writer.Size(), writer.Crc()};
  return *FPieces[index];
}

TZipEntry EntryWithMedia(const std::string& name, std::string_view text, TMediaPieces& pieces,
                         const std::function<std::string(size_t)>& link) {
  TDeflateStreamBuilder stream;
  for (const TPart& part : PartsOf(text, pieces.Count())) {
    if (!part.IsMedia) {
      stream.AddText(part.Text);
      continue;
    }
    const std::string address = link ? link(part.Media) : std::string();
    if (address.empty()) stream.AddPiece(pieces.Piece(part.Media));
    else stream.AddText(address);
  }
  TZipEntry entry;
  entry.Name = name;
  stream.FinishInto(entry);
  return entry;
}

TZipEntry StreamedEntryWithMedia(const std::string& name, std::string text, std::vector<std::string> files) {
  return StreamedEntry(name, std::make_shared<TMediaSource>("", std::move(text), "", std::move(files), false));
}

TZipEntry StreamedBase64EntryWithMedia(const std::string& name, std::string before, std::string text,
                                       std::string after, std::vector<std::string> files) {
  return StreamedEntry(name, std::make_shared<TMediaSource>(std::move(before), std::move(text), std::move(after),
                                                            std::move(files), true));
}

}  // namespace tarvik
