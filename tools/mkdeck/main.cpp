// mkdeck: writes the generated decks. "mkdeck sample <out.pptx>" writes the
// bundled sample talk, "mkdeck bench <out.pptx> [--slides N]" the benchmark
// deck, "mkdeck media <out.pptx> [--slides N]" the media-heavy deck whose
// pictures repeat, "mkdeck distinct <out.pptx> [--slides N] [--megabytes M]"
// the deck of one picture of its own per slide. The same arguments always
// give the same bytes.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "decks.h"

int main(int argc, char** argv) {
  CLI::App app{"mkdeck - write the sample and benchmark decks"};
  app.require_subcommand(1);
  std::string sampleOut, benchOut, mediaOut, distinctOut;
  int slides = 500, mediaSlides = 200, distinctSlides = 200, distinctMegabytes = 100;
  auto* sample = app.add_subcommand("sample", "write the bundled sample talk");
  sample->add_option("out", sampleOut, "the .pptx file to write")->required();
  auto* bench = app.add_subcommand("bench", "write the large benchmark deck");
  bench->add_option("out", benchOut, "the .pptx file to write")->required();
  bench->add_option("--slides", slides, "number of slides (default 500)")
      ->check(CLI::Range(1, 100000));
  auto* media = app.add_subcommand("media", "write the media-heavy deck (pictures and videos)");
  media->add_option("out", mediaOut, "the .pptx file to write")->required();
  media->add_option("--slides", mediaSlides, "number of slides (default 200)")
      ->check(CLI::Range(1, 100000));
  auto* distinct = app.add_subcommand("distinct", "write the deck of a distinct picture on every slide");
  distinct->add_option("out", distinctOut, "the .pptx file to write")->required();
  distinct->add_option("--slides", distinctSlides, "number of slides (default 200)")
      ->check(CLI::Range(1, 100000));
  distinct->add_option("--megabytes", distinctMegabytes, "pictures in all, in MB (default 100)")
      ->check(CLI::Range(1, 100000));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  try {
    if (sample->parsed())
      mkdeck::BuildSampleDeck().Write(sampleOut);
    else if (distinct->parsed())
      mkdeck::BuildDistinctDeck(distinctSlides, int64_t{distinctMegabytes} * 1000000).Write(distinctOut);
    else if (media->parsed())
      mkdeck::BuildMediaDeck(mediaSlides).Write(mediaOut);
    else
      mkdeck::BuildBenchDeck(slides).Write(benchOut);
  } catch (const std::exception& e) {
    std::cerr << "mkdeck: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
