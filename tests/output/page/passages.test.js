"use strict";
// The passage page's own logic, run by Node's test runner: loading, sorting, the chunks a long
// text is drawn in, the marks cut into them, and going from a passage to its twin and the next.
const test = require("node:test");
const assert = require("node:assert");
const path = require("node:path");
const page = require(path.join(process.env.RAVELIN_PAGE_DIR || path.join(__dirname,
  "../../../output/page"), "passages.js"));

test("rows take their names from texts of any part and sort by their numbers", () => {
  const row = (t1, t2, p1, marks) => [0, t1, t2, p1, 0, 10, 10, 20, 20, 10, marks];
  const { rows } = page.loadData([
    JSON.stringify({ texts: [[0, "b.txt", "", true], [1, "a.txt", "", true]],
      rows: [row(0, 1, 50, [0, 1, 0, 1, 1])] }),
    JSON.stringify({ texts: [[0, "A10.txt", "", true]],
      rows: [row(2, 1, 70, [0, 1, 0, 1, 1, 2, 3, 2, 3, 1]), row(2, 0, 50, [])] }),
  ]);
  assert.deepStrictEqual(rows.map((r) => [r.name1, r.name2]),
    [["b.txt", "a.txt"], ["A10.txt", "a.txt"], ["A10.txt", "b.txt"]]);
  const sorted = (key) => page.sortedOrder(rows, key, page.firstDirection(key));
  assert.deepStrictEqual(sorted("percent1"), [1, 0, 2]);
  assert.deepStrictEqual(sorted("passages"), [1, 0, 2]);
  assert.deepStrictEqual(sorted("name1"), [1, 2, 0]);
  assert.deepStrictEqual(page.filterOrder([2, 1, 0], rows, " B.T"), [2, 0]);
});

test("chunks cover the text, end after a line break and never split a surrogate pair", () => {
  const cases = [
    ["", 4, [0, 0]],
    ["abc", 4, [0, 3]],
    ["aaaaa\nbb\ncc\ndd", 4, [0, 6, 12, 14]],
    ["aaaaaaaaaaaaa", 4, [0, 8, 13]],       // no break: twice the size
    ["aaaaaaa\u{1D11E}bbb", 4, [0, 9, 12]],  // the pair at units 7 and 8 stays whole
  ];
  for (const [text, size, expected] of cases) {
    const starts = page.chunkStarts(text, size);
    assert.deepStrictEqual(starts, expected, JSON.stringify(text));
    for (let at = 0; at < text.length; ++at) {
      const c = page.chunkAt(starts, at);
      assert.ok(starts[c] <= at && at < starts[c + 1], text + " " + at);
    }
  }
  assert.strictEqual(page.estimatedLines("ab\n\nabcdefg", 0, 11, 3), 5);
});

test("marks are cut into pieces that name every passage covering them, on each side", () => {
  // Passage 0 is at [2, 6) and [0, 4), passage 1 at [8, 10) and [2, 5): they overlap on side 1.
  const marks = [2, 6, 0, 4, 30, 8, 10, 2, 5, 20];
  const side = (s) => page.sideMarks(marks, s).map((m) => [m.start, m.end, m.ps]);
  assert.deepStrictEqual(side(0), [[2, 6, [0]], [8, 10, [1]]]);
  assert.deepStrictEqual(side(1), [[0, 2, [0]], [2, 4, [0, 1]], [4, 5, [1]]]);
  const text = "0123456789ab";
  for (const [from, to] of [[0, 12], [3, 9], [5, 6]]) {
    const runs = page.chunkRuns(text, from, to, page.sideMarks(marks, 0));
    assert.strictEqual(runs.map((r) => r.text).join(""), text.slice(from, to));
    const marked = runs.filter((r) => r.ps).map((r) => r.text).join("|");
    assert.strictEqual(marked, { 0: "2345|89", 3: "345|8", 5: "5" }[from]);
  }
});

test("a click goes round overlapping passages; next and previous go round the pair", () => {
  assert.strictEqual(page.clickedPassage([0, 1], -1), 0);
  assert.strictEqual(page.clickedPassage([0, 1], 0), 1);
  assert.strictEqual(page.clickedPassage([0, 1], 1), 0);
  assert.strictEqual(page.clickedPassage([3], 1), 3);
  assert.deepStrictEqual([[-1, 1], [-1, -1], [2, 1], [0, -1], [1, 1]]
    .map(([open, delta]) => page.stepPassage(3, open, delta)), [0, 2, 0, 2, 2]);
});
