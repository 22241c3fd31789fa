// The npm package crossword-layout-generator measured like layout_bench: words
// placed, grid, density (letter cells / area), crossings per word (crossed
// cells summed over the words, 2 x crossing cells / words placed), ms.
//   NODE_PATH=DIR/node_modules node layout-peer.js [--runs N] LIST...
const fs = require("fs");
const clg = require("crossword-layout-generator");

let runs = 5;
const lists = [];
for (let i = 2; i < process.argv.length; ++i) {
  if (process.argv[i] === "--runs") runs = Number(process.argv[++i]);
  else lists.push(process.argv[i]);
}
console.log("list                          run  placed    grid  density cross/w     ms");
for (const path of lists) {
  const words = fs.readFileSync(path, "utf8").split(/\r?\n/)
    .map((l) => l.trim()).filter((l) => l && !l.startsWith(";") && !l.startsWith("["))
    .map((l) => {
      const at = l.search(/[=:]/);
      const answer = (at < 0 ? l : l.slice(0, at)).replace(/\[.*\]/, "").trim();
      return { answer: answer.toLowerCase(), clue: at < 0 ? "" : l.slice(at + 1).trim() };
    });
  const name = path.split("/").pop();
  for (let run = 1; run <= runs; ++run) {
    // The package logs every word it places; that is not part of its time.
    const log = console.log;
    console.log = () => {};
    const t0 = process.hrtime.bigint();
    const layout = clg.generateLayout(words.map((w) => ({ ...w })));
    const ms = Number(process.hrtime.bigint() - t0) / 1e6;
    console.log = log;
    const cells = new Map();
    let placed = 0;
    for (const w of layout.result) {
      if (w.orientation === "none") continue;
      ++placed;
      for (let k = 0; k < w.answer.length; ++k) {
        const key = w.orientation === "across" ? `${w.startx + k},${w.starty}` : `${w.startx},${w.starty + k}`;
        cells.set(key, (cells.get(key) || 0) + 1);
      }
    }
    let crossings = 0;
    for (const n of cells.values()) if (n > 1) ++crossings;
    const area = layout.rows * layout.cols;
    console.log(`${name.padEnd(29)} ${String(run).padStart(3)} ${String(placed).padStart(3)}/${String(words.length).padEnd(3)} ` +
      `${(layout.cols + "x" + layout.rows).padStart(7)} ${(cells.size / area).toFixed(3).padStart(8)} ` +
      `${(2 * crossings / placed).toFixed(2).padStart(7)} ${ms.toFixed(0).padStart(6)}`);
  }
}
