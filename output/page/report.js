"use strict";
// The page's own logic: it reads the data the program wrote into the page, lists the pairs, sorts
// and filters them, and builds a pair's side-by-side view from the marks the program computed.
// The program gives each text's word positions and each pair's compared window, so that nothing
// here knows how a text is reduced to words.

const Page = typeof module !== "undefined" ? require("./common.js") : RavelinPage;
const PAGE = 500;

// The page's data, its rows with the names of their texts.
function loadData(parts) {
  const textOf = ([slot, name, text, spans]) => ({ slot, name, text, spans });
  const rowOf = (r) => ({
    index1: r[0], text1: r[1], text2: r[2], percent: r[3], mode: r[4], shift: r[5],
    first1: r[6], first2: r[7], equal: r[8], group: 0,
  });
  const data = Page.joinParts(parts, textOf, rowOf);
  if (data.summary) {
    // A pair's group is its 1st-folder file's: both files of a match are in the same one.
    const groupOf = new Map();
    data.summary.groups.forEach((members, g) => {
      for (const [slot, index] of members) if (slot === 0) groupOf.set(index, g + 1);
    });
    for (const row of data.rows) row.group = groupOf.get(row.index1) || 0;
  }
  return data;
}

const SORT_KEYS = {
  name1: (row) => row.name1,
  name2: (row) => row.name2,
  percent: (row) => row.percent,
  // Pairs without a group go last either way.
  group: (row) => (row.group === 0 ? Infinity : row.group),
};

// Percentages read best highest first; names and groups from the start.
function firstDirection(key) {
  return key === "percent" ? -1 : 1;
}

// Row numbers in the order of `key`, ties kept in the order found.
function sortedOrder(rows, key, dir) {
  return Page.sortedOrder(rows, SORT_KEYS[key], dir);
}

const { filterOrder, count } = Page;

// The text cut into runs for display: words before the compared window are "sk", the window's
// words "eq" or "ne" as the comparison found them, everything else plain (cls ""). `position`
// is the compared position (1-based) of a marked word.
function sideRuns(text, spans, first, equal) {
  const runs = [];
  let at = 0;
  const plain = (end) => {
    if (end > at) runs.push({ text: text.slice(at, end), cls: "" });
    at = Math.max(at, end);
  };
  const words = Math.min(spans.length / 2, first + equal.length);
  for (let k = 0; k < words; ++k) {
    const start = spans[2 * k];
    const end = spans[2 * k + 1];
    plain(start);
    const p = k - first;
    runs.push({
      text: text.slice(start, end),
      cls: p < 0 ? "sk" : equal[p] === "1" ? "eq" : "ne",
      position: p < 0 ? 0 : p + 1,
    });
    at = end;
  }
  plain(text.length);
  return runs;
}

if (typeof module !== "undefined") {
  module.exports = { loadData, sortedOrder, filterOrder, firstDirection, sideRuns };
}

if (typeof document !== "undefined") {
  const parts = [...document.querySelectorAll("script.ravelin-data")].map((s) => s.textContent);
  const { texts, rows, summary } = loadData(parts);
  const $ = (id) => document.getElementById(id);
  let current = -1;

  const { item } = Page;

  const drawHeader = () => {
    const s = summary.settings;
    Page.drawFolders(summary, "Ravelin report", [["Settings", "N " + s.N + " words \u00b7 T " +
      s.T + "% \u00b7 S1 " + s.S1 + " \u00b7 S2 " + s.S2]], [
      [summary.files[0], "files in the 1st folder"],
      [summary.files[1], "files in the 2nd folder"],
      [summary.pairs, "pairs compared"],
      [summary.matches, summary.matches === 1 ? "match" : "matches"],
      [summary.groups.length, summary.groups.length === 1 ? "group" : "groups"],
    ]);
    const counts = $("counts");
    if (summary.stopped) item(counts, "li", "stopped before the end", "stopped");
    if (summary.rowsLeftOut > 0) {
      $("left-out").hidden = false;
      $("left-out").textContent = "The page lists the first " + count(rows.length) +
        " matches and leaves out " + count(summary.rowsLeftOut) +
        "; --format json or tsv lists every match.";
    }
  };

  const drawGroups = () => {
    const list = $("groups");
    const members = summary.groups.reduce((sum, g) => sum + g.length, 0);
    $("groups-title").textContent = "Groups (" + count(summary.groups.length) + ", largest first)";
    $("groups-box").open = members <= 60;
    summary.groups.forEach((group, g) => {
      const li = item(list, "li", "");
      item(li, "span", (g + 1) + " \u00b7 " + group.length + " files", "gno");
      group.forEach(([slot, , name], m) => {
        if (m > 0) li.append(", ");
        item(li, "span", String(slot + 1), "slot");
        li.append(name);
      });
    });
  };

  const rowNode = (i) => {
    const r = rows[i];
    const tr = document.createElement("tr");
    tr.dataset.i = String(i);
    if (i === current) tr.className = "current";
    item(tr, "td", String(i + 1), "num");
    const cell1 = item(tr, "td", "");
    cell1.title = r.name1;
    const link = item(cell1, "a", r.name1);
    link.href = "#pair-" + (i + 1);
    item(tr, "td", r.name2).title = r.name2;
    item(tr, "td", String(r.percent), "num");
    item(tr, "td", r.mode + " / " + r.shift);
    item(tr, "td", r.group ? String(r.group) : "\u2013", "num");
    return tr;
  };


  const drawSide = (n, text, first, equal) => {
    const box = $("view-text" + n);
    const name = $("view-name" + n);
    name.textContent = (n === 1 ? "1st folder: " : "2nd folder: ") + text.name;
    item(name, "small", " \u00b7 compared words " + (first + 1) + "\u2013" + (first + equal.length));
    box.textContent = "";
    if (text.text === "") {
      item(box, "span", "(no text: the file is empty or could not be read)", "gone");
      return;
    }
    const page = document.createDocumentFragment();
    let firstMarked = null;
    for (const run of sideRuns(text.text, text.spans, first, equal)) {
      if (!run.cls) {
        page.appendChild(document.createTextNode(run.text));
        continue;
      }
      const span = item(page, "span", run.text, run.cls);
      span.title = run.cls === "sk" ? "skipped" : run.position + ": " +
        (run.cls === "eq" ? "equal" : "different");
      if (run.cls !== "sk" && !firstMarked) firstMarked = span;
    }
    box.appendChild(page);
    box.scrollTop = firstMarked ? Math.max(0, firstMarked.offsetTop - 48) : 0;
  };

  const openPair = () => {
    const m = /^#pair-(\d+)$/.exec(location.hash);
    const i = m ? Number(m[1]) - 1 : -1;
    const old = document.querySelector("tr.current");
    if (old) old.classList.remove("current");
    current = i >= 0 && i < rows.length ? i : -1;
    $("view").hidden = current < 0;
    if (current < 0) return;
    const r = rows[current];
    const equal = [...r.equal].filter((e) => e === "1").length;
    $("view-title").textContent = "Pair " + (current + 1) + ": " + r.name1 + " \u2194 " + r.name2;
    $("view-meta").textContent = r.percent + "% \u00b7 mode " + r.mode + ", shift " + r.shift +
      " \u00b7 " + (r.group ? "group " + r.group : "no group") + " \u00b7 " + equal + " of " +
      r.equal.length + " compared words equal";
    drawSide(1, texts[r.text1], r.first1, r.equal);
    drawSide(2, texts[r.text2], r.first2, r.equal);
    const tr = document.querySelector("tr[data-i=\"" + current + "\"]");
    if (tr) tr.classList.add("current");
    const top = $("view").getBoundingClientRect().top;
    if (top < 0 || top > window.innerHeight - 120) $("view").scrollIntoView({ block: "start" });
  };

  drawHeader();
  drawGroups();
  Page.showRows({
    rows, rowNode, orderOf: (key, dir) => sortedOrder(rows, key, dir), firstDirection,
    pageSize: PAGE,
  });
  window.addEventListener("hashchange", openPair);
  openPair();
}
