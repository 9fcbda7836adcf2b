// Produces the pages the tests open: the player decks written by player_deck,
// the bundled sample deck and real decks, each exported by the built tarvik
// both as a single file and as a web folder.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, rmSync } from 'node:fs';
import { basename, extname, join } from 'node:path';

export const env = {
  tarvik: process.env.TARVIK_BIN,
  playerDeck: process.env.PLAYER_DECK_BIN,
  sourceDir: process.env.TARVIK_SOURCE_DIR,
  sharedDir: process.env.TARVIK_SHARED_DIR,
  outDir: process.env.BROWSER_OUT_DIR,
};

export function missingSetup() {
  for (const [name, value] of Object.entries(env))
    if (!value) return `environment lacks ${name} (run through ctest)`;
  if (!existsSync(env.tarvik)) return `no tarvik at ${env.tarvik}`;
  return null;
}

// A fresh folder below the output folder for one test file.
export function workFolder(name) {
  const folder = join(env.outDir, name);
  rmSync(folder, { recursive: true, force: true });
  mkdirSync(folder, { recursive: true });
  return folder;
}

export function runTarvik(args) {
  return execFileSync(env.tarvik, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
}

// Exports Deck into Folder as <name>.html and <name>_Web/; returns their
// names relative to Folder and the variables tarvik printed.
export function exportBoth(deck, folder) {
  const name = basename(deck, extname(deck));
  const htmlOut = runTarvik(['html', deck, join(folder, `${name}.html`)]);
  const webOut = runTarvik(['web', deck, join(folder, `${name}_Web`)]);
  return { html: `${name}.html`, web: `${name}_Web/index.html`, htmlOut, webOut };
}

export function writePlayerDecks(folder) {
  execFileSync(env.playerDeck, [folder], { stdio: ['ignore', 'pipe', 'pipe'] });
  return {
    player: join(folder, 'player.pptx'),
    hostileName: join(folder, "Q&A's <!-- <script> deck.pptx"),
    empty: join(folder, 'empty.pptx'),
    paint: join(folder, 'paint.pptx'),
    autofit: join(folder, 'autofit.pptx'),
    textLayout: join(folder, 'text_layout.pptx'),
  };
}

// "name=value" lines as a map.
export function variables(output) {
  const map = new Map();
  for (const line of output.split('\n')) {
    const eq = line.indexOf('=');
    if (eq > 0) map.set(line.slice(0, eq), line.slice(eq + 1));
  }
  return map;
}
