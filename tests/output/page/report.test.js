"use strict";
// The page script's own logic, run by Node's test runner: loading the parts the program writes,
// sorting, filtering and the pair view built from the marks.
const test = require("node:test");
const assert = require("node:assert");
const path = require("node:path");
const page = require(path.join(process.env.RAVELIN_PAGE_DIR || path.join(__dirname,
  "../../../output/page"), "report.js"));

const text = (slot, name, body, spans) => [slot, name, body, spans];
const row = (index1, t1, t2, percent, mode, shift, first1, first2, equal) =>
  [index1, t1, t2, percent, mode, shift, first1, first2, equal];

// Two parts, as a page written in steps has them; the summary comes last.
const parts = [
  JSON.stringify({
    texts: [text(0, "b.txt", "", []), text(1, "x.txt", "", [])],
    rows: [row(1, 0, 1, 95, 2, 0, 0, 0, "1")],
  }),
  JSON.stringify({
    texts: [text(0, "A10.txt", "", []), text(0, "a9.txt", "", [])],
    rows: [row(3, 2, 1, 100, 1, 2, 0, 2, "11"), row(2, 3, 1, 90, 2, 1, 1, 0, "10"),
      row(0, 3, 0, 90, 1, 0, 0, 0, "1")],
    summary: { groups: [[[0, 3, "A10.txt"], [1, 5, "x.txt"]], [[0, 1, "b.txt"], [0, 2, "a9.txt"]]] },
  }),
];

test("rows take their names from texts of any part and their group from the summary", () => {
  const { texts, rows } = page.loadData(parts);
  assert.strictEqual(texts.length, 4);
  assert.deepStrictEqual(rows.map((r) => [r.name1, r.name2, r.group]), [
    ["b.txt", "x.txt", 2], ["A10.txt", "x.txt", 1], ["a9.txt", "x.txt", 2], ["a9.txt", "b.txt", 0],
  ]);
});

test("sorting: names naturally and without case, percentages highest first, no group last", () => {
  const { rows } = page.loadData(parts);
  const cases = [
    ["name1", 1, [2, 3, 1, 0]],
    ["name1", -1, [0, 1, 2, 3]],
    ["percent", page.firstDirection("percent"), [1, 0, 2, 3]],
    ["group", page.firstDirection("group"), [1, 0, 2, 3]],
    ["group", -1, [3, 0, 2, 1]],
  ];
  for (const [key, dir, expected] of cases) {
    assert.deepStrictEqual(page.sortedOrder(rows, key, dir), expected, key + " " + dir);
  }
});

test("filtering keeps the order and matches either name in any case", () => {
  const { rows } = page.loadData(parts);
  assert.deepStrictEqual(page.filterOrder([3, 2, 1, 0], rows, " A9 "), [3, 2]);
  assert.deepStrictEqual(page.filterOrder([3, 2, 1, 0], rows, "x.t"), [2, 1, 0]);
  assert.deepStrictEqual(page.filterOrder([3, 2, 1, 0], rows, ""), [3, 2, 1, 0]);
});

test("a side's runs cover the whole text and mark the words as the marks say", () => {
  const body = "Über skip, alpha beta\r\ngamma tail";
  //            0    5     11    17   23    29
  const spans = [0, 4, 5, 9, 11, 16, 17, 21, 23, 28, 29, 33];
  const runs = page.sideRuns(body, spans, 2, "101");
  assert.strictEqual(runs.map((r) => r.text).join(""), body);
  assert.deepStrictEqual(runs.filter((r) => r.cls).map((r) => [r.text, r.cls, r.position]), [
    ["Über", "sk", 0], ["skip", "sk", 0], ["alpha", "eq", 1], ["beta", "ne", 2], ["gamma", "eq", 3],
  ]);
  // Fewer spans than the window (a text cut short) mark what there is.
  assert.deepStrictEqual(page.sideRuns("ab cd", [0, 2], 0, "11").map((r) => r.cls), ["eq", ""]);
});
