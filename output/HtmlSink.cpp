#include "output/HtmlSink.h"

#include "engine/FileWords.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string_view>
#include <utility>

namespace ravelin {
namespace {

using json = nlohmann::json;

// Everything before the embedded data; the page has no other source, so it opens offline.
constexpr const char* kPageHead = R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Ravelin report</title>
<style>
:root { --fg: #1f2328; --muted: #59636e; --line: #d1d9e0; --soft: #f6f8fa; --accent: #0969da;
  --eq: #d8f5de; --eq-edge: #3fa55b; --ne: #ffe4c4; --ne-edge: #d9822b; }
* { box-sizing: border-box; }
body { margin: 0; color: var(--fg); background: #fff;
  font: 14px/1.45 system-ui, -apple-system, "Segoe UI", Roboto, "Noto Sans", Arial, sans-serif; }
main { max-width: 1180px; margin: 0 auto; padding: 20px 24px 48px; }
h1 { font-size: 22px; margin: 0 0 10px; }
h2 { font-size: 16px; margin: 0; }
dl { display: grid; grid-template-columns: max-content 1fr; gap: 2px 14px; margin: 0; }
dt { color: var(--muted); }
dd { margin: 0; overflow-wrap: anywhere; }
.counts { display: flex; flex-wrap: wrap; gap: 8px; margin: 12px 0 0; padding: 0; list-style: none; }
.counts li { background: var(--soft); border: 1px solid var(--line); border-radius: 6px;
  padding: 3px 10px; }
.counts b, td.num, th.num { font-variant-numeric: tabular-nums; }
.stopped { color: #b35900; font-weight: 600; }
details { margin-top: 18px; }
summary { cursor: pointer; font-weight: 600; font-size: 16px; }
ol.groups { margin: 6px 0 0; padding: 0; list-style: none; }
ol.groups li { padding: 4px 0; border-bottom: 1px solid var(--soft); overflow-wrap: anywhere; }
.gno { display: inline-block; min-width: 5.5em; color: var(--muted); }
.slot { font-size: 11px; color: var(--muted); border: 1px solid var(--line); border-radius: 4px;
  padding: 0 3px; margin-right: 3px; }
#view { margin-top: 18px; border: 1px solid var(--line); border-radius: 8px; padding: 12px 16px;
  background: var(--soft); }
.view-head { display: flex; align-items: baseline; gap: 12px; }
.view-head h2 { flex: 1; overflow-wrap: anywhere; }
.view-head a { color: var(--accent); text-decoration: none; }
#view p { margin: 2px 0 10px; }
#view-meta { color: var(--muted); }
.sides { display: grid; grid-template-columns: 1fr 1fr; gap: 16px; }
.side { min-width: 0; }
.side h3 { font-size: 13px; margin: 0 0 6px; overflow-wrap: anywhere; }
.side h3 small { font-weight: 400; color: var(--muted); }
.text { position: relative; margin: 0; max-height: 64vh; overflow: auto; padding: 8px 12px;
  background: #fff; border: 1px solid var(--line); border-radius: 6px; white-space: pre-wrap;
  overflow-wrap: anywhere; font: 14px/1.6 Georgia, "Times New Roman", serif; }
.text span, .legend span { border-radius: 3px; padding: 0 1px; }
.sk { background: #eaeef2; color: #6e7781; }
.eq { background: var(--eq); box-shadow: inset 0 -2px 0 var(--eq-edge); }
.ne { background: var(--ne); box-shadow: inset 0 -2px 0 var(--ne-edge); font-weight: 600; }
.legend { margin-left: 10px; }
.legend span { margin-left: 6px; color: var(--fg); }
.legend .sk { color: #6e7781; }
.gone { color: var(--muted); font-style: italic; }
.tools { display: flex; align-items: center; gap: 14px; margin: 22px 0 8px; }
#filter { flex: 0 1 320px; padding: 5px 9px; font: inherit; border: 1px solid var(--line);
  border-radius: 6px; }
#shown { color: var(--muted); }
table { width: 100%; border-collapse: collapse; table-layout: fixed; }
th, td { text-align: left; padding: 4px 8px; border-bottom: 1px solid var(--line);
  overflow: hidden; text-overflow: ellipsis; white-space: nowrap; }
th { position: sticky; top: 0; background: #fff; font-weight: 600; user-select: none;
  box-shadow: inset 0 -2px 0 var(--line); }
th.sort { cursor: pointer; color: var(--accent); }
th.sort[data-dir="1"]::after { content: " \25B2"; }
th.sort[data-dir="-1"]::after { content: " \25BC"; }
.num { text-align: right; }
tbody tr:nth-child(even) { background: #fafbfc; }
tbody tr:hover { background: #eef4fc; }
tbody tr.current { background: #dcebff; }
td a { color: var(--accent); text-decoration: none; }
td a:hover { text-decoration: underline; }
#more { margin-top: 10px; padding: 5px 14px; font: inherit; cursor: pointer; border-radius: 6px;
  border: 1px solid var(--line); background: var(--soft); }
</style>
</head>
<body>
<main>
<header>
<h1>Ravelin report</h1>
<dl id="facts"></dl>
<ul class="counts" id="counts"></ul>
</header>
<details id="groups-box"><summary id="groups-title">Groups</summary><ol class="groups" id="groups"></ol></details>
<section id="view" hidden>
<div class="view-head"><h2 id="view-title"></h2><a href="#">Close</a></div>
<p><span id="view-meta"></span><span class="legend"><span class="sk">skipped</span><span class="eq">equal</span><span class="ne">different</span></span></p>
<div class="sides">
<div class="side"><h3 id="view-name1"></h3><div class="text" id="view-text1"></div></div>
<div class="side"><h3 id="view-name2"></h3><div class="text" id="view-text2"></div></div>
</div>
</section>
<section>
<div class="tools"><h2>Pairs</h2>
<input id="filter" type="search" placeholder="Filter by file name" aria-label="Filter by file name">
<span id="shown"></span></div>
<table>
<colgroup><col style="width:4.5em"><col><col><col style="width:5em"><col style="width:8.5em"><col style="width:5.5em"></colgroup>
<thead><tr><th class="num">#</th><th class="sort" data-key="0">1st folder</th><th class="sort" data-key="1">2nd folder</th><th class="sort num" data-key="2">%</th><th title="mode (2: the 1st-folder side shifted, 1: the 2nd) / shift in words">Mode / shift</th><th class="sort num" data-key="5">Group</th></tr></thead>
<tbody id="rows"></tbody>
</table>
<button id="more" hidden></button>
</section>
</main>
<script type="application/json" id="data">)html";

// Rows are arrays [name1, name2, percent, mode, shift, group (0: none), words1, words2, text1,
// text2], the texts being indices into "texts": the smallest form that still parses in one call.
constexpr const char* kPageTail = R"html(</script>
<script>
"use strict";
const data = JSON.parse(document.getElementById("data").textContent);
const rows = data.rows;
const $ = (id) => document.getElementById(id);
const esc = (s) => String(s).replace(/[&<>"']/g,
  (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&#39;" })[c]);
const count = (n) => Number(n).toLocaleString("en-US");
const PAGE = 500;
const collator = new Intl.Collator(undefined, { numeric: true, sensitivity: "base" });
let order = rows.map((_, i) => i);
let visible = order;
let shown = 0;
let current = -1;

function item(parent, tag, text, html) {
  const node = document.createElement(tag);
  if (html) node.innerHTML = text; else node.textContent = text;
  parent.appendChild(node);
  return node;
}

function drawHeader() {
  const same = data.folders[0] === data.folders[1];
  document.title = "Ravelin report: " + data.folders[0] + (same ? "" : " / " + data.folders[1]);
  const facts = $("facts");
  const fact = (name, value) => { item(facts, "dt", name); item(facts, "dd", value); };
  fact("1st folder", data.folders[0]);
  fact("2nd folder", same ? data.folders[1] + " (the same)" : data.folders[1]);
  const s = data.settings;
  fact("Settings", "N " + s.N + " words \u00b7 T " + s.T + "% \u00b7 S1 " + s.S1 +
       " \u00b7 S2 " + s.S2);
  const counts = $("counts");
  const chip = (n, what) => item(counts, "li", "<b>" + count(n) + "</b> " + what, true);
  chip(data.files[0], "files in the 1st folder");
  chip(data.files[1], "files in the 2nd folder");
  chip(data.pairs, "pairs compared");
  chip(data.matches, data.matches === 1 ? "match" : "matches");
  chip(data.groups.length, data.groups.length === 1 ? "group" : "groups");
  if (data.stopped) item(counts, "li", "stopped before the end").className = "stopped";
}

function drawGroups() {
  const list = $("groups");
  const members = data.groups.reduce((sum, g) => sum + g.length, 0);
  $("groups-title").textContent = "Groups (" + count(data.groups.length) + ", largest first)";
  $("groups-box").open = members <= 60;
  list.innerHTML = data.groups.map((g, i) => "<li><span class=\"gno\">" + (i + 1) + " \u00b7 " +
    g.length + " files</span>" + g.map((m) => "<span class=\"slot\">" + (m[0] + 1) + "</span>" +
    esc(m[1])).join(", ") + "</li>").join("");
}

function rowHtml(i) {
  const r = rows[i];
  return "<tr data-i=\"" + i + "\"" + (i === current ? " class=\"current\"" : "") +
    "><td class=\"num\">" + (i + 1) + "</td><td title=\"" + esc(r[0]) + "\"><a href=\"#pair-" +
    (i + 1) + "\">" + esc(r[0]) + "</a></td><td title=\"" + esc(r[1]) + "\">" + esc(r[1]) +
    "</td><td class=\"num\">" + r[2] + "</td><td>" + r[3] + " / " + r[4] +
    "</td><td class=\"num\">" + (r[5] || "\u2013") + "</td></tr>";
}

function drawMore() {
  const end = Math.min(visible.length, shown + PAGE);
  $("rows").insertAdjacentHTML("beforeend", visible.slice(shown, end).map(rowHtml).join(""));
  shown = end;
  const left = visible.length - shown;
  $("more").hidden = left === 0;
  $("more").textContent = "Show " + count(Math.min(left, PAGE)) + " more (" + count(left) +
    " not shown)";
  $("shown").textContent = visible.length === rows.length ? count(rows.length) + " pairs"
    : count(visible.length) + " of " + count(rows.length) + " pairs";
}

function drawRows() {
  const q = $("filter").value.trim().toLowerCase();
  visible = q ? order.filter((i) => rows[i][0].toLowerCase().includes(q) ||
                                    rows[i][1].toLowerCase().includes(q)) : order;
  $("rows").innerHTML = "";
  shown = 0;
  drawMore();
}

function sortBy(th) {
  const key = Number(th.dataset.key);
  // Percentages read best highest first; names and groups from the start.
  const first = key === 2 ? -1 : 1;
  const dir = th.dataset.dir === String(first) ? -first : first;
  for (const other of document.querySelectorAll("th.sort")) delete other.dataset.dir;
  th.dataset.dir = String(dir);
  const value = (i) => key === 5 && rows[i][5] === 0 ? Infinity : rows[i][key];
  order = rows.map((_, i) => i).sort((a, b) => {
    const x = value(a);
    const y = value(b);
    const c = typeof x === "string" ? collator.compare(x, y) : x - y;
    return c === 0 ? a - b : c * dir;
  });
  drawRows();
}

// Words of the text as the reduction keeps them: runs of letters and digits, 4 or more long.
const WORD = /[\p{L}\p{N}]+/gu;
const isWord = (w) => w.length >= 4 && (w.length >= 8 || [...w].length >= 4);

// Marks the words before the compared window and the window itself, by counting words; where the
// count drifts from the reduction's, only what lines up gets marked, the rest stays plain text.
function drawSide(n, name, text, start, mine, other) {
  const box = $("view-text" + n);
  $("view-name" + n).textContent = (n === 1 ? "1st folder: " : "2nd folder: ") + name;
  item($("view-name" + n), "small", " \u00b7 compared words " + (start + 1) + "\u2013" +
       (start + mine.length));
  box.textContent = "";
  if (text === undefined || text === "") {
    item(box, "span", "(no text: the file is empty or could not be read)").className = "gone";
    return;
  }
  const page = document.createDocumentFragment();
  let at = 0;
  let k = 0;
  let first = null;
  for (const m of text.matchAll(WORD)) {
    if (!isWord(m[0])) continue;
    const p = k++ - start;
    if (p >= mine.length) break;
    if (m.index > at) page.appendChild(document.createTextNode(text.slice(at, m.index)));
    const span = item(page, "span", m[0]);
    if (p < 0) {
      span.className = "sk";
      span.title = "skipped";
    } else {
      span.className = mine[p] === other[p] ? "eq" : "ne";
      span.title = (p + 1) + ": " + mine[p] + (mine[p] === other[p] ? "" : " \u2260 " +
        (other[p] === undefined ? "\u2013" : other[p]));
      if (!first) first = span;
    }
    at = m.index + m[0].length;
  }
  if (at < text.length) page.appendChild(document.createTextNode(text.slice(at)));
  box.appendChild(page);
  box.scrollTop = first ? Math.max(0, first.offsetTop - 48) : 0;
}

function openPair() {
  const m = /^#pair-(\d+)$/.exec(location.hash);
  const i = m ? Number(m[1]) - 1 : -1;
  const old = document.querySelector("tr.current");
  if (old) old.classList.remove("current");
  current = i >= 0 && i < rows.length ? i : -1;
  $("view").hidden = current < 0;
  if (current < 0) return;
  const r = rows[current];
  const w1 = r[6] ? r[6].split(" ") : [];
  const w2 = r[7] ? r[7].split(" ") : [];
  const equal = w1.filter((w, k) => w === w2[k]).length;
  $("view-title").textContent = "Pair " + (current + 1) + ": " + r[0] + " \u2194 " + r[1];
  $("view-meta").textContent = r[2] + "% \u00b7 mode " + r[3] + ", shift " + r[4] + " \u00b7 " +
    (r[5] ? "group " + r[5] : "no group") + " \u00b7 " + equal + " of " +
    Math.max(w1.length, w2.length) + " compared words equal";
  const s = data.settings;
  drawSide(1, r[0], data.texts[r[8]], s.S1 + (r[3] === 2 ? r[4] : 0), w1, w2);
  drawSide(2, r[1], data.texts[r[9]], s.S2 + (r[3] === 1 ? r[4] : 0), w2, w1);
  const tr = document.querySelector("tr[data-i=\"" + current + "\"]");
  if (tr) tr.classList.add("current");
  const top = $("view").getBoundingClientRect().top;
  if (top < 0 || top > window.innerHeight - 120) $("view").scrollIntoView({ block: "start" });
}

drawHeader();
drawGroups();
drawRows();
for (const th of document.querySelectorAll("th.sort")) th.addEventListener("click", () => sortBy(th));
let typing = 0;
$("filter").addEventListener("input", () => { clearTimeout(typing); typing = setTimeout(drawRows, 150); });
$("more").addEventListener("click", drawMore);
window.addEventListener("hashchange", openPair);
openPair();
</script>
</body>
</html>
)html";

// The compared words without the space that ends each one.
std::string Words(const std::string& segment) {
    std::string words = Cp1252ToUtf8(segment);
    if (!words.empty() && words.back() == ' ') {
        words.pop_back();
    }
    return words;
}

// The first `bytes` bytes of a file, cut where no character is split, decoded as a scan reads it;
// a file that cannot be read shows as empty rather than failing the whole page.
std::string TextBeginning(const std::string& path, size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    // A few bytes more tell whether the file goes on and finish a character cut at `bytes`.
    std::string text(bytes + 4, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    if (text.size() <= bytes) {
        return IsValidUtf8(text) ? text : Cp1252ToUtf8(text);
    }
    size_t cut = bytes;
    while (cut > 0 && bytes - cut < 3 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    std::string head = text.substr(0, cut);
    if (!IsValidUtf8(head)) {
        head = Cp1252ToUtf8(std::string_view(text).substr(0, bytes));
    }
    return head + "\xE2\x80\xA6";
}

// An HTML parser ends a script at "</" and treats "<!--" specially; JSON may say both otherwise.
std::string InScript(const std::string& text) {
    std::string safe;
    safe.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && text.compare(i + 1, 1, "/") == 0) {
            safe += "<\\/";
            ++i;
        } else if (text[i] == '<' && text.compare(i + 1, 3, "!--") == 0) {
            safe += "\\u003c";
        } else {
            safe += text[i];
        }
    }
    return safe;
}

}  // namespace

void HtmlSink::OnScanBegun(const ScanOptions& options) {
    folders_[0] = Utf8Lossy(options.folders[0]);
    folders_[1] = Utf8Lossy(options.folders[1]);
    paths_ = options.folders;
    // The compared words lie within the first S + 2N + N reduced words of either side.
    const int32_t words = std::max(options.numWordsToSkip[0], options.numWordsToSkip[1]) +
                          3 * options.numWordsToCompare;
    textBytes_ = static_cast<size_t>(kCharsPerNeededWord) * static_cast<size_t>(words) + 200;
    textOf_.clear();
    texts_.clear();
    settings_[0] = options.numWordsToCompare;
    settings_[1] = options.matchThreshold;
    settings_[2] = options.numWordsToSkip[0];
    settings_[3] = options.numWordsToSkip[1];
    files_[0] = files_[1] = 0;
    pairs_ = 0;
    matches_.clear();
}

void HtmlSink::OnPassBegun(ScanPass pass, int32_t files) {
    files_[static_cast<size_t>(pass)] = files;
}

void HtmlSink::OnFileBegun(const FileBegun& event) {
    if (event.pass == ScanPass::Second) {
        pairs_ += files_[0];
    }
}

int32_t HtmlSink::TextOf(int slot, const std::string& name) {
    const std::string path = paths_[static_cast<size_t>(slot)] + "/" + name;
    const auto [known, added] = textOf_.emplace(path, static_cast<int32_t>(texts_.size()));
    if (added) {
        texts_.push_back(TextBeginning(path, textBytes_));
    }
    return known->second;
}

void HtmlSink::OnMatch(const MatchFound& event) {
    matches_.push_back({event.index1, Utf8Lossy(event.name1), Utf8Lossy(event.name2), event.percent,
                        event.mode, event.shift, Words(event.segments.First()),
                        Words(event.segments.Second()), TextOf(0, event.name1),
                        TextOf(1, event.name2)});
}

void HtmlSink::OnScanEnded(const ScanEnded& event) {
    const auto groups = groups_.Groups();
    // A pair's group is its 1st-folder file's: both files of a match are in the same one.
    std::map<int32_t, size_t> groupOf;
    json groupList = json::array();
    for (size_t g = 0; g < groups.size(); ++g) {
        json members = json::array();
        for (const GroupMember& member : groups[g]) {
            if (member.slot == 0) {
                groupOf[member.index] = g + 1;
            }
            members.push_back({member.slot, Utf8Lossy(member.name)});
        }
        groupList.push_back(std::move(members));
    }
    json rows = json::array();
    for (const Pair& pair : matches_) {
        const auto group = groupOf.find(pair.index1);
        rows.push_back({pair.name1, pair.name2, pair.percent, pair.mode, pair.shift,
                        group == groupOf.end() ? 0 : group->second, pair.words1, pair.words2,
                        pair.text1, pair.text2});
    }
    const json page = {
        {"folders", {folders_[0], folders_[1]}},
        {"settings",
         {{"N", settings_[0]}, {"T", settings_[1]}, {"S1", settings_[2]}, {"S2", settings_[3]}}},
        {"files", {files_[0], files_[1]}},
        {"pairs", pairs_},
        {"matches", event.matches},
        {"stopped", event.how == ScanEnd::Stopped},
        {"groups", std::move(groupList)},
        {"rows", std::move(rows)},
        {"texts", texts_},
    };
    out_ << kPageHead << InScript(page.dump(-1, ' ', false, json::error_handler_t::replace))
         << kPageTail;
}

}  // namespace ravelin
