"use strict";
// The passage page's own logic: it lists the pairs the program wrote into the page, sorts and
// filters them, and shows an opened pair's two whole texts with every passage marked. The
// program gives each passage's place in both texts in the units this script counts, so nothing
// here knows how a text is reduced to words. A long text is drawn in chunks, only those near
// what is seen, so that a file of many megabytes opens at once.

const Page = typeof module !== "undefined" ? require("./common.js") : RavelinPage;
const PAGE = 500;
const CHUNK = 16384;       // UTF-16 units a chunk holds, give or take a line
const LINE_HEIGHT = 22.4;  // pixels, as the text's style sets it
const CHAR_WIDTH = 7.2;    // pixels, an average in that font

// The page's data, its rows with the names of their texts.
function loadData(parts) {
  const textOf = ([slot, name, text, shown]) => ({ slot, name, text, shown });
  const rowOf = (r) => ({
    index1: r[0], text1: r[1], text2: r[2], percent1: r[3], percent2: r[4], shared1: r[5],
    shared2: r[6], total1: r[7], total2: r[8], longest: r[9], marks: r[10],
  });
  return Page.joinParts(parts, textOf, rowOf);
}

const SORT_KEYS = {
  name1: (row) => row.name1,
  name2: (row) => row.name2,
  percent1: (row) => row.percent1,
  percent2: (row) => row.percent2,
  shared: (row) => Math.max(row.shared1, row.shared2),
  passages: (row) => row.marks.length / 5,
  longest: (row) => row.longest,
};

// Numbers read best highest first; names from the start.
function firstDirection(key) {
  return key === "name1" || key === "name2" ? 1 : -1;
}

// Row numbers in the order of `key`, ties kept in the order found.
function sortedOrder(rows, key, dir) {
  return Page.sortedOrder(rows, SORT_KEYS[key], dir);
}

const { filterOrder, count } = Page;

// Where the chunks of a text start, and its length last. A chunk ends after a line break once
// it holds `size` units, or at twice that in a text without breaks; never inside a surrogate pair.
function chunkStarts(text, size) {
  const starts = [0];
  let at = 0;
  while (at + size < text.length) {
    const line = text.indexOf("\n", at + size);
    let end = line < 0 || line + 1 > at + 2 * size ? at + 2 * size : line + 1;
    const c = text.charCodeAt(end - 1);
    if (c >= 0xd800 && c < 0xdc00) ++end;
    if (end >= text.length) break;
    starts.push(end);
    at = end;
  }
  starts.push(text.length);
  return starts;
}

// The chunk that holds unit `at`.
function chunkAt(starts, at) {
  let lo = 0;
  let hi = starts.length - 2;
  while (lo < hi) {
    const mid = (lo + hi + 1) >> 1;
    if (starts[mid] <= at) lo = mid; else hi = mid - 1;
  }
  return lo;
}

// A chunk's height before it is drawn: its lines, each wrapped at `perLine` characters.
function estimatedLines(text, start, end, perLine) {
  let lines = 0;
  for (let at = start; at < end;) {
    const line = text.indexOf("\n", at);
    const stop = line < 0 || line >= end ? end : line + 1;
    lines += Math.max(1, Math.ceil((stop - at) / perLine));
    at = stop;
  }
  return lines;
}

// One side's marks: the places of the passages on that side (0 or 1) cut where any begins or
// ends, each piece with every passage that covers it, by place. Text repeated in one file may
// pair with a single place in the other, so passages can overlap there.
function sideMarks(marks, side) {
  const edges = [];
  for (let p = 0; p * 5 < marks.length; ++p) {
    const start = marks[5 * p + 2 * side];
    const end = marks[5 * p + 2 * side + 1];
    if (end > start) edges.push([start, 1, p], [end, -1, p]);
  }
  edges.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
  const pieces = [];
  const open = new Set();
  for (let e = 0; e < edges.length; ++e) {
    const [at, kind, p] = edges[e];
    if (kind > 0) open.add(p); else open.delete(p);
    const next = e + 1 < edges.length ? edges[e + 1][0] : at;
    if (open.size > 0 && next > at) {
      pieces.push({ start: at, end: next, ps: [...open].sort((a, b) => a - b) });
    }
  }
  return pieces;
}

// The text [from, to) cut into runs: plain (ps null) or a piece of marks with its passages.
function chunkRuns(text, from, to, pieces) {
  const runs = [];
  let lo = 0;
  let hi = pieces.length;
  while (lo < hi) {
    const mid = (lo + hi) >> 1;
    if (pieces[mid].end <= from) lo = mid + 1; else hi = mid;
  }
  let at = from;
  for (let k = lo; k < pieces.length && pieces[k].start < to; ++k) {
    const start = Math.max(from, pieces[k].start);
    const end = Math.min(to, pieces[k].end);
    if (start > at) runs.push({ text: text.slice(at, start), ps: null });
    runs.push({ text: text.slice(start, end), ps: pieces[k].ps });
    at = end;
  }
  if (to > at) runs.push({ text: text.slice(at, to), ps: null });
  return runs;
}

// The passage a click on a piece opens: the first of its passages, or after the one open, the
// next, so that each of overlapping passages can be reached.
function clickedPassage(ps, open) {
  const k = ps.indexOf(open);
  return k < 0 ? ps[0] : ps[(k + 1) % ps.length];
}

// The passage `delta` steps from `open` (-1: none yet), going round.
function stepPassage(count, open, delta) {
  if (open < 0) return delta > 0 ? 0 : count - 1;
  return (open + delta + count) % count;
}

if (typeof module !== "undefined") {
  module.exports = {
    loadData, sortedOrder, filterOrder, firstDirection, chunkStarts, chunkAt, estimatedLines,
    sideMarks, chunkRuns, clickedPassage, stepPassage, CHUNK,
  };
}

if (typeof document !== "undefined") {
  const parts = [...document.querySelectorAll("script.ravelin-data")].map((s) => s.textContent);
  const { texts, rows, summary } = loadData(parts);
  const $ = (id) => document.getElementById(id);
  let current = -1;
  let open = -1;
  const sides = [null, null];

  const { item } = Page;

  const drawHeader = () => {
    const chips = [
      [summary.files[0], "files in the 1st folder"],
      [summary.files[1], "files in the 2nd folder"],
      [summary.candidates, "pairs compared"],
      [summary.matches, summary.matches === 1 ? "pair shares passages" : "pairs share passages"],
    ];
    if (summary.unreadable > 0) chips.push([summary.unreadable, "files could not be read"]);
    Page.drawFolders(summary, "Ravelin passages", [], chips);
    const counts = $("counts");
    if (summary.stopped) item(counts, "li", "stopped before the end", "stopped");
    if (summary.rowsLeftOut > 0) {
      $("left-out").hidden = false;
      $("left-out").textContent = "The page lists the first " + count(rows.length) +
        " pairs and leaves out " + count(summary.rowsLeftOut) +
        "; --format json or tsv lists every pair.";
    }
  };

  const rowNode = (i) => {
    const r = rows[i];
    const tr = document.createElement("tr");
    tr.dataset.i = String(i);
    if (i === current) tr.className = "current";
    item(tr, "td", String(i + 1), "num");
    const cell1 = item(tr, "td", "");
    cell1.title = r.name1;
    item(cell1, "a", r.name1).href = "#pair-" + (i + 1);
    item(tr, "td", r.name2).title = r.name2;
    item(tr, "td", String(r.percent1), "num");
    item(tr, "td", String(r.percent2), "num");
    item(tr, "td", count(r.shared1) + " / " + count(r.shared2), "num");
    item(tr, "td", count(r.marks.length / 5), "num");
    item(tr, "td", count(r.longest), "num");
    return tr;
  };


  // A drawn chunk's marks of the open passage are lit; so are those drawn later.
  const light = (node) => {
    for (const mark of node.querySelectorAll("mark.on")) mark.classList.remove("on");
    if (open < 0) return;
    for (const mark of node.querySelectorAll("mark[data-ps]")) {
      if (mark.dataset.ps.split(" ").includes(String(open))) mark.classList.add("on");
    }
  };

  const drawChunk = (side, c) => {
    const node = side.nodes[c];
    if (node.dataset.drawn) return;
    const before = node.offsetHeight;
    const page = document.createDocumentFragment();
    for (const run of chunkRuns(side.text, side.starts[c], side.starts[c + 1], side.pieces)) {
      if (!run.ps) {
        page.appendChild(document.createTextNode(run.text));
        continue;
      }
      const mark = item(page, "mark", run.text, "ps");
      mark.dataset.ps = run.ps.join(" ");
      mark.title = "passage " + run.ps.map((p) => p + 1).join(", ");
    }
    node.style.height = "";
    node.appendChild(page);
    node.dataset.drawn = "1";
    light(node);
    // What is seen stays where it is when a chunk above it turns out taller or shorter.
    if (node.offsetTop < side.box.scrollTop) side.box.scrollTop += node.offsetHeight - before;
  };

  const forgetChunk = (side, c) => {
    const node = side.nodes[c];
    if (!node.dataset.drawn) return;
    node.style.height = node.offsetHeight + "px";
    node.textContent = "";
    delete node.dataset.drawn;
  };

  const drawSide = (n, text, marks) => {
    const box = $("view-text" + n);
    if (sides[n - 1]) sides[n - 1].observer.disconnect();
    sides[n - 1] = null;
    box.textContent = "";
    $("view-name" + n).textContent = (n === 1 ? "1st folder: " : "2nd folder: ") + text.name;
    if (text.text === "") {
      item(box, "span", text.shown ? "(no text: the file is empty)"
        : "(no text: the file could not be read or is too large to show)", "gone");
      return;
    }
    const starts = chunkStarts(text.text, CHUNK);
    const perLine = Math.max(20, Math.floor((box.clientWidth - 24) / CHAR_WIDTH));
    const side = { box, text: text.text, starts, pieces: sideMarks(marks, n - 1), nodes: [] };
    const page = document.createDocumentFragment();
    for (let c = 0; c + 1 < starts.length; ++c) {
      const node = item(page, "div", "", "chunk");
      node.dataset.c = String(c);
      node.style.height = estimatedLines(text.text, starts[c], starts[c + 1], perLine) *
        LINE_HEIGHT + "px";
      side.nodes.push(node);
    }
    box.appendChild(page);
    side.observer = new IntersectionObserver((entries) => {
      for (const entry of entries) {
        const c = Number(entry.target.dataset.c);
        if (entry.isIntersecting) drawChunk(side, c); else forgetChunk(side, c);
      }
    }, { root: box, rootMargin: "1500px 0px" });
    for (const node of side.nodes) side.observer.observe(node);
    box.scrollTop = 0;
    sides[n - 1] = side;
  };

  // Brings passage `p` into view on a side: its chunk and the neighbours are drawn first, so
  // that the place is known.
  const bringIntoView = (n, p) => {
    const side = sides[n - 1];
    if (!side) return;
    const marks = rows[current].marks;
    const at = Math.min(marks[5 * p + 2 * (n - 1)], side.text.length);
    const c = chunkAt(side.starts, at);
    for (const k of [c - 1, c, c + 1]) if (k >= 0 && k < side.nodes.length) drawChunk(side, k);
    const mark = [...side.nodes[c].querySelectorAll("mark[data-ps]")]
      .find((m) => m.dataset.ps.split(" ").includes(String(p)));
    const top = mark ? mark.offsetTop : side.nodes[c].offsetTop;
    side.box.scrollTop = Math.max(0, top - side.box.clientHeight / 4);
  };

  const openPassage = (p, from) => {
    const r = rows[current];
    const total = r.marks.length / 5;
    open = p;
    $("at").textContent = " passage " + count(p + 1) + " of " + count(total) + " \u00b7 " +
      count(r.marks[5 * p + 4]) + " equal words ";
    for (const side of sides) if (side) for (const node of side.nodes) light(node);
    for (const li of document.querySelectorAll("#passage-list li.on")) li.classList.remove("on");
    const li = $("passage-list").children[p];
    if (li) li.classList.add("on");
    for (const n of [1, 2]) if (n !== from) bringIntoView(n, p);
  };

  const drawList = (r, text1) => {
    const list = $("passage-list");
    list.textContent = "";
    const total = r.marks.length / 5;
    const listed = Math.min(total, 2000);
    $("list-title").textContent = "Passages (" + count(total) + (listed < total
      ? ", the first " + count(listed) + " listed)" : ")");
    for (let p = 0; p < listed; ++p) {
      const li = item(list, "li", "");
      li.dataset.p = String(p);
      item(li, "small", count(r.marks[5 * p + 4]) + " words \u00b7 ");
      li.append(text1.text.slice(r.marks[5 * p], Math.min(r.marks[5 * p + 1],
        r.marks[5 * p] + 160)).replace(/\s+/g, " "));
    }
  };

  const openPair = () => {
    const m = /^#pair-(\d+)(?:-(\d+))?$/.exec(location.hash);
    const i = m ? Number(m[1]) - 1 : -1;
    const old = document.querySelector("tr.current");
    if (old) old.classList.remove("current");
    const same = i === current && current >= 0;
    current = i >= 0 && i < rows.length ? i : -1;
    $("view").hidden = current < 0;
    if (current < 0) return;
    const r = rows[current];
    const total = r.marks.length / 5;
    const wanted = m[2] ? Math.min(Math.max(Number(m[2]) - 1, 0), total - 1) : 0;
    if (!same) {
      $("view-title").textContent = "Pair " + (current + 1) + ": " + r.name1 + " \u2194 " +
        r.name2;
      $("view-meta").textContent = count(total) + (total === 1 ? " passage" : " passages") +
        " \u00b7 " + count(r.shared1) + " of " + count(r.total1) + " words of the 1st file (" +
        r.percent1 + "%) \u00b7 " + count(r.shared2) + " of " + count(r.total2) +
        " words of the 2nd file (" + r.percent2 + "%) \u00b7 longest " + count(r.longest) +
        " equal words";
      open = -1;
      drawSide(1, texts[r.text1], r.marks);
      drawSide(2, texts[r.text2], r.marks);
      drawList(r, texts[r.text1]);
      const tr = document.querySelector("tr[data-i=\"" + current + "\"]");
      if (tr) tr.classList.add("current");
      const top = $("view").getBoundingClientRect().top;
      if (top < 0 || top > window.innerHeight - 120) $("view").scrollIntoView({ block: "start" });
    }
    openPassage(wanted, 0);
  };

  const step = (delta) => {
    if (current >= 0) openPassage(stepPassage(rows[current].marks.length / 5, open, delta), 0);
  };

  drawHeader();
  Page.showRows({
    rows, rowNode, orderOf: (key, dir) => sortedOrder(rows, key, dir), firstDirection,
    pageSize: PAGE,
  });
  for (const n of [1, 2]) {
    $("view-text" + n).addEventListener("click", (event) => {
      const mark = event.target.closest("mark[data-ps]");
      if (mark) openPassage(clickedPassage(mark.dataset.ps.split(" ").map(Number), open), n);
    });
  }
  $("passage-list").addEventListener("click", (event) => {
    const li = event.target.closest("li[data-p]");
    if (li) openPassage(Number(li.dataset.p), 0);
  });
  $("prev").addEventListener("click", () => step(-1));
  $("next").addEventListener("click", () => step(1));
  document.addEventListener("keydown", (event) => {
    if (event.target.matches("input") || event.ctrlKey || event.metaKey || event.altKey) return;
    if (event.key === "n" || event.key === "j") step(1);
    if (event.key === "p" || event.key === "k") step(-1);
  });
  window.addEventListener("hashchange", openPair);
  openPair();
}
