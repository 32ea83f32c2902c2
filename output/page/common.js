"use strict";
// What both pages share: making nodes, the folders and counts at the top, and the table of pairs
// with its order, its filter and its rows drawn a page at a time. Loaded before the page's own
// script; under Node it is a module of its own.

const RavelinPage = (() => {
  const collator = new Intl.Collator(undefined, { numeric: true, sensitivity: "base" });

  // Row numbers in the order of `value` (a row's sort key), ties kept in the order found.
  function sortedOrder(rows, value, dir) {
    return rows.map((_, i) => i).sort((a, b) => {
      const x = value(rows[a]);
      const y = value(rows[b]);
      const c = typeof x === "string" ? collator.compare(x, y) : x === y ? 0 : x < y ? -1 : 1;
      return c === 0 ? a - b : c * dir;
    });
  }

  // The rows of `order` whose either name holds the query, in any case.
  function filterOrder(order, rows, query) {
    const q = query.trim().toLowerCase();
    if (!q) return order;
    return order.filter((i) => rows[i].name1.toLowerCase().includes(q) ||
                               rows[i].name2.toLowerCase().includes(q));
  }

  // The parts of the data in the order written: each may add texts and rows; the last one also
  // brings the summary. Rows name their texts by number, counted over all parts, and are given
  // the names of both.
  function joinParts(parts, textOf, rowOf) {
    const texts = [];
    const rows = [];
    let summary = null;
    for (const part of parts) {
      const data = JSON.parse(part);
      for (const t of data.texts || []) texts.push(textOf(t));
      for (const r of data.rows || []) rows.push(rowOf(r));
      if (data.summary) summary = data.summary;
    }
    for (const row of rows) {
      row.name1 = texts[row.text1].name;
      row.name2 = texts[row.text2].name;
    }
    return { texts, rows, summary };
  }

  function count(n) {
    return Number(n).toLocaleString("en-US");
  }

  const item = (parent, tag, text, cls) => {
    const node = document.createElement(tag);
    node.textContent = text;
    if (cls) node.className = cls;
    parent.appendChild(node);
    return node;
  };

  // The folders, with `more` facts after them as [name, value] pairs, and the counts as [number,
  // what] pairs; the page's title names the folders after `title`.
  function drawFolders(summary, title, more, counts) {
    const [folder1, folder2] = summary.folders;
    const same = folder1 === folder2;
    document.title = title + ": " + folder1 + (same ? "" : " / " + folder2);
    const facts = document.getElementById("facts");
    const fact = (name, value) => { item(facts, "dt", name); item(facts, "dd", value); };
    fact("1st folder", folder1);
    fact("2nd folder", same ? folder2 + " (the same)" : folder2);
    for (const [name, value] of more) fact(name, value);
    const chips = document.getElementById("counts");
    for (const [n, what] of counts) {
      const li = item(chips, "li", " " + what);
      li.prepend(Object.assign(document.createElement("b"), { textContent: count(n) }));
    }
  }

  // Draws the rows into the page's table and keeps its sorting headers, filter box and "more"
  // button working. `orderOf(key, dir)` sorts; `firstDirection(key)` says how a key sorts first.
  function showRows({ rows, rowNode, orderOf, firstDirection, pageSize }) {
    const $ = (id) => document.getElementById(id);
    let order = rows.map((_, i) => i);
    let visible = order;
    let shown = 0;
    const drawMore = () => {
      const end = Math.min(visible.length, shown + pageSize);
      const page = document.createDocumentFragment();
      for (const i of visible.slice(shown, end)) page.appendChild(rowNode(i));
      $("rows").appendChild(page);
      shown = end;
      const left = visible.length - shown;
      $("more").hidden = left === 0;
      $("more").textContent = "Show " + count(Math.min(left, pageSize)) + " more (" + count(left) +
        " not shown)";
      $("shown").textContent = visible.length === rows.length ? count(rows.length) + " pairs"
        : count(visible.length) + " of " + count(rows.length) + " pairs";
    };
    const drawRows = () => {
      visible = filterOrder(order, rows, $("filter").value);
      $("rows").textContent = "";
      shown = 0;
      drawMore();
    };
    const sortBy = (th) => {
      const key = th.dataset.key;
      const first = firstDirection(key);
      const dir = th.dataset.dir === String(first) ? -first : first;
      for (const other of document.querySelectorAll("th.sort")) delete other.dataset.dir;
      th.dataset.dir = String(dir);
      order = orderOf(key, dir);
      drawRows();
    };
    drawRows();
    for (const th of document.querySelectorAll("th.sort")) {
      th.addEventListener("click", () => sortBy(th));
    }
    let typing = 0;
    $("filter").addEventListener("input", () => {
      clearTimeout(typing);
      typing = setTimeout(drawRows, 150);
    });
    $("more").addEventListener("click", drawMore);
  }

  return { sortedOrder, filterOrder, joinParts, count, item, drawFolders, showRows };
})();

if (typeof module !== "undefined") module.exports = RavelinPage;
