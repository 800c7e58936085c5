// Heat maps of one quantity over the two shafts.
import {axis, makeChart} from "./charts.js";
import {loadsReady} from "./map.js";
import {choose} from "./mode.js";
import {clamp, finite, shown} from "./numbers.js";
import {$, Explorer, kLoadsAt, kStride} from "./state.js";

export let heatList = null;
export function heatQuantities() {
  heatList ??= [
    ...Explorer.facts.summary.map((c, i) => ({...c, index: 2 + i}))
      .filter((c) => ["maxLift_mm", "duration1mm_crankDeg", "duration0.1mm_crankDeg", "maxLiftAt_crankDeg"].includes(c.column)),
    ...Explorer.facts.loads.map((c, i) => ({...c, index: kLoadsAt + i, loads: true})),
  ];
  return heatList;
}
export const heatQuantity = () => heatQuantities().find((q) => q.column === $("heat-quantity").value) ?? heatQuantities()[0];
export const heatName = (q) => `${q.label}${q.colourBySize ? ", size" : ""} (${q.unit})`;

// The number a cell's colour stands for: a torque's size; a speed up to the scale's top.
export function colourValue(q, v) {
  if (!finite(v)) return v;
  const size = q.colourBySize ? Math.abs(v) : v;
  return finite(q.colourTop) ? Math.min(size, q.colourTop) : size;
}

export function heatColour(t) {
  // Dark blue through green to yellow.
  return `hsl(${240 - 180 * t}, 75%, ${22 + 50 * t}%)`;
}

// The map's cells in the chart's plot area, drawn once into a picture of their own
// for each size of the chart: choosing a mode only draws its ring on top again.
export function heatCells(u, heat) {
  const {quantity, lo, hi, rows, total, cellW, cellH} = heat;
  const {left, top, width, height} = u.bbox;
  const picture = document.createElement("canvas");
  picture.width = Math.max(1, Math.round(width));
  picture.height = Math.max(1, Math.round(height));
  const ctx = picture.getContext("2d");
  const span = hi - lo || 1;
  for (let i = 0; i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    const e = rows[i * kStride + 1];
    const l = rows[i * kStride];
    ctx.fillStyle = finite(v) ? heatColour((v - lo) / span) : "#ddd";
    const x0 = u.valToPos(e - cellW / 2, "x", true) - left;
    const x1 = u.valToPos(e + cellW / 2, "x", true) - left;
    const y0 = u.valToPos(l + cellH / 2, "y", true) - top;
    const y1 = u.valToPos(l - cellH / 2, "y", true) - top;
    ctx.fillRect(Math.floor(x0), Math.floor(y0), Math.ceil(x1 - x0) + 1, Math.ceil(y1 - y0) + 1);
  }
  return picture;
}

export function paintHeat(u, heat) {
  const ctx = u.ctx;
  const {left, top, width, height} = u.bbox;
  const size = `${width}x${height}`;
  if (heat.size !== size) {
    heat.picture = heatCells(u, heat);
    heat.size = size;
  }
  ctx.save();
  ctx.beginPath();
  ctx.rect(left, top, width, height);
  ctx.clip();
  ctx.drawImage(heat.picture, left, top);
  const s = Explorer.state;
  ctx.strokeStyle = "#fff";
  ctx.lineWidth = 2 * devicePixelRatio;
  ctx.beginPath();
  ctx.arc(u.valToPos(s.eccentric, "x", true), u.valToPos(s.lever, "y", true), 6 * devicePixelRatio, 0, 2 * Math.PI);
  ctx.stroke();
  // The cell the keys have reached, while the heat map has the focus.
  const cell = document.activeElement === $("heat") ? heatCursor() : null;
  if (cell) {
    const i = cell.l * Explorer.map.steps + cell.e;
    const e = heat.rows[i * kStride + 1];
    const l = heat.rows[i * kStride];
    const x0 = u.valToPos(e - heat.cellW / 2, "x", true);
    const x1 = u.valToPos(e + heat.cellW / 2, "x", true);
    const y0 = u.valToPos(l + heat.cellH / 2, "y", true);
    const y1 = u.valToPos(l - heat.cellH / 2, "y", true);
    const pad = 2 * devicePixelRatio;
    ctx.lineWidth = 2 * devicePixelRatio;
    ctx.strokeStyle = "#000";
    ctx.strokeRect(x0 - pad, y0 - pad, x1 - x0 + 2 * pad, y1 - y0 + 2 * pad);
    ctx.strokeStyle = "#fff";
    ctx.strokeRect(x0 - 2 * pad, y0 - 2 * pad, x1 - x0 + 4 * pad, y1 - y0 + 4 * pad);
  }
  ctx.restore();
}

// Draws the heat map of the quantity chosen, once the map (and for a load, the map's
// loads) is complete; a mode chosen only redraws the chart (markHeat).
export function drawHeat() {
  const {rows, done, total} = Explorer.map;
  if (done < total) return;
  const quantity = heatQuantity();
  const loads = Explorer.map.loads;
  const waiting = quantity.loads &&
    (!loads || (quantity.atEngineSpeed && loads.rpm !== Explorer.state.rpm) || loads.done < total);
  if (waiting) loadsReady();
  const f = Explorer.facts;
  const steps = Explorer.map.steps;
  let lo = Infinity;
  let hi = -Infinity;
  for (let i = 0; !waiting && i < total; ++i) {
    const v = colourValue(quantity, rows[i * kStride + quantity.index]);
    if (finite(v)) { lo = Math.min(lo, v); hi = Math.max(hi, v); }
  }
  if (!(hi >= lo)) { lo = 0; hi = 1; }
  const cellW = (f.eccentric.max - f.eccentric.min) / Math.max(1, steps - 1);
  const cellH = (f.lever.max - f.lever.min) / Math.max(1, steps - 1);
  // Empty cells until the loads are there: the chart must not show the last map's.
  const shownRows = waiting ? new Float64Array(rows.length).fill(NaN) : rows;
  if (waiting) for (let i = 0; i < total; ++i) shownRows.set(rows.subarray(i * kStride, i * kStride + 2), i * kStride);
  const heat = {quantity, lo, hi, rows: shownRows, total, cellW, cellH, size: null, picture: null};
  const at = quantity.atEngineSpeed ? ` at ${shown(Explorer.state.rpm, 0)} rpm` : "";
  const title = `${heatName(quantity)}${at} over the two shafts`;
  const options = {
    title, height: 300, legend: {show: false}, cursor: {show: false},
    scales: {x: {time: false, auto: false, range: [f.eccentric.min - cellW / 2, f.eccentric.max + cellW / 2]},
             y: {auto: false, range: [f.lever.min - cellH / 2, f.lever.max + cellH / 2]}},
    axes: [axis("orange control shaft (eccentric) bar value"), axis("green control shaft (lever) bar value")],
    series: [{}, {label: quantity.label, stroke: "transparent", points: {show: false}}],
    hooks: {drawClear: [(u) => paintHeat(u, heat)]},
  };
  const chart = makeChart("heat", $("heat"), options, [[f.eccentric.min, f.eccentric.max], [null, null]]);
  chart.heat = heat;
  const scale = $("heat-scale");
  if (waiting) {
    scale.replaceChildren(`The loads of the map at ${shown(Explorer.state.rpm, 0)} rpm are being computed…`);
    return;
  }
  const bar = document.createElement("span");
  bar.className = "gradient";
  bar.style.background = `linear-gradient(to right, ${[0, 0.25, 0.5, 0.75, 1].map(heatColour).join(", ")})`;
  const low = document.createElement("span");
  low.textContent = `${shown(lo, 2)} ${quantity.unit}`;
  const high = document.createElement("span");
  high.textContent = `${shown(hi, 2)}${finite(quantity.colourTop) && hi >= quantity.colourTop ? " and above" : ""} ${quantity.unit}`;
  scale.replaceChildren(low, bar, high);
  showHeatCell();
}

// The chosen mode's ring (and the keys' cell) drawn again over the same cells.
export function markHeat() {
  Explorer.charts.heat?.redraw(false, false);
}

export function heatClick(event) {
  const chart = Explorer.charts.heat;
  if (!chart) return;
  const f = Explorer.facts;
  const eccentric = clamp(Math.round(chart.posToVal(event.offsetX, "x")), f.eccentric.min, f.eccentric.max);
  const lever = clamp(Math.round(chart.posToVal(event.offsetY, "y")), f.lever.min, f.lever.max);
  choose(lever, eccentric, true);
}

// The keys' cell of the heat map, as lever row and eccentric column of the map:
// where the keys left it, else the cell nearest the chosen mode.
let heatAt = null;
// A mode chosen elsewhere moves the keys' cell to it.
export const forgetHeatCursor = () => { heatAt = null; };
export function heatCursor() {
  const {rows, steps, done, total} = Explorer.map;
  if (done < total || steps < 1) return null;
  if (!heatAt || heatAt.steps !== steps) {
    const nearest = (value, at) => {
      let best = 0;
      for (let k = 1; k < steps; ++k) if (Math.abs(at(k) - value) < Math.abs(at(best) - value)) best = k;
      return best;
    };
    const s = Explorer.state;
    heatAt = {steps, l: nearest(s.lever, (l) => rows[l * steps * kStride]), e: nearest(s.eccentric, (e) => rows[e * kStride + 1])};
  }
  return heatAt;
}

// Says which cell the keys are on and its value, for the eye and the screen reader.
export function showHeatCell() {
  const cell = document.activeElement === $("heat") ? heatCursor() : null;
  const heat = Explorer.charts.heat?.heat;
  if (!cell || !heat) { $("heat-cell").textContent = ""; return; }
  const i = cell.l * Explorer.map.steps + cell.e;
  const r = heat.rows.subarray(i * kStride, (i + 1) * kStride);
  const v = r[heat.quantity.index];
  $("heat-cell").textContent = `lever ${r[0]}, eccentric ${r[1]}: ${heat.quantity.label} ` +
    (finite(v) ? `${shown(v)} ${heat.quantity.unit}` : "none") + " (Enter chooses it)";
}

// Arrow keys move the heat map's cell (up: more lever, right: more eccentric; with
// Shift ten cells); Enter or Space chooses its mode.
export function heatKey(event) {
  const cell = heatCursor();
  if (!cell || !Explorer.charts.heat) return;
  const move = {ArrowUp: [1, 0], ArrowDown: [-1, 0], ArrowRight: [0, 1], ArrowLeft: [0, -1]}[event.key];
  if (move) {
    event.preventDefault();
    const by = event.shiftKey ? 10 : 1;
    cell.l = clamp(cell.l + by * move[0], 0, cell.steps - 1);
    cell.e = clamp(cell.e + by * move[1], 0, cell.steps - 1);
  } else if (event.key === "Enter" || event.key === " ") {
    event.preventDefault();
    const i = cell.l * cell.steps + cell.e;
    choose(Explorer.map.rows[i * kStride], Explorer.map.rows[i * kStride + 1], true);
  } else {
    return;
  }
  markHeat();
  showHeatCell();
}
