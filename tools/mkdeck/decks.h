// The decks mkdeck writes: the bundled sample talk and the large benchmark decks.
#pragma once
#include <cstdint>

#include "support/deck_writer.h"

namespace mkdeck {

// The sample talk of examples/sample.pptx.
tarvik::test::TDeckWriter BuildSampleDeck();
// Slides slides of about twenty shapes each: text with several runs, shapes,
// groups and pictures.
tarvik::test::TDeckWriter BuildBenchDeck(int slides);

// Slides slides of a title and one or two large noise pictures, about 150 MB
// of distinct pictures in all, each shown on several slides, and two videos.
tarvik::test::TDeckWriter BuildMediaDeck(int slides);

// Slides slides of a title and one picture of noise each, every picture
// its own (every fourth a JPEG, some cropped, mirrored or turned), about
// PictureBytes of pictures in all.
tarvik::test::TDeckWriter BuildDistinctDeck(int slides, int64_t pictureBytes);

// The master and layout placeholders and text styles both decks share.
void AddTalkLayouts(tarvik::test::TDeckParts& parts);

}  // namespace mkdeck
