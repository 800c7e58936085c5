// The lift-duration plane: every mode of the map as a point, the chosen mode, the
// target and its answers.
import {axis, leverColour, leverColourB, makeChart} from "./charts.js";
import {maps} from "./map.js";
import {choose} from "./mode.js";
import {clamp, finite, shown} from "./numbers.js";
import {$, Explorer, kDuration, kLift, kStride} from "./state.js";
import {setTarget} from "./target.js";

// A map's points, one list per lever value of the map (the markers go on top): A's
// filled, coloured by the lever; B's, if a design is loaded, as rings in colours of
// their own.
export function planeData(map = Explorer.map, colour = leverColour, ring = false) {
  const {rows, leverSteps, eccentricSteps} = map;
  const series = [];
  for (let l = 0; l < leverSteps; ++l) {
    const xs = [];
    const ys = [];
    for (let e = 0; e < eccentricSteps; ++e) {
      const i = l * eccentricSteps + e;
      const x = rows[i * kStride + kDuration];
      const y = rows[i * kStride + kLift];
      if (finite(x) && finite(y)) { xs.push(x); ys.push(y); }
    }
    const lever = map.range.lever.min + (l * (map.range.lever.max - map.range.lever.min)) / Math.max(1, leverSteps - 1);
    series.push({lever, xs, ys, colour: colour(lever), ring});
  }
  return series;
}
const planeLevels = () => [...planeData(), ...(Explorer.mapB ? planeData(Explorer.mapB, leverColourB, true) : [])];

export function markers() {
  const d = Explorer.detail;
  const chosen = d ? [[d.duration], [d.maxLift]] : [[], []];
  const t = Explorer.state.target;
  const target = t ? [[t.duration], [t.lift]] : [[], []];
  const answers = Explorer.target ? [Explorer.target.modes.map((m) => m.duration), Explorer.target.modes.map((m) => m.lift)] : [[], []];
  return [chosen, target, answers];
}

// The map's points, drawn into a picture of their own under the markers: once for
// each size of the chart, and as the map fills only the points that are new (a lever
// row's points arrive in order); choosing a mode only draws the markers again. The
// picture goes on after the grid, where uPlot would draw a series.
export let planePoints = {run: null, levels: [], size: null, picture: null, painted: []};
export const kPointSize = 3;
export function paintPlane(u) {
  const {left, top, width, height} = u.bbox;
  const size = `${width}x${height}`;
  if (planePoints.size !== size) {
    const picture = document.createElement("canvas");
    picture.width = Math.max(1, Math.round(width));
    picture.height = Math.max(1, Math.round(height));
    planePoints = {...planePoints, size, picture, painted: planePoints.levels.map(() => 0)};
  }
  const ctx = planePoints.picture.getContext("2d");
  const r = (kPointSize / 2) * devicePixelRatio;
  ctx.lineWidth = devicePixelRatio;
  planePoints.levels.forEach((level, l) => {
    if (planePoints.painted[l] >= level.xs.length) return;
    ctx.fillStyle = level.colour;
    ctx.strokeStyle = level.colour;
    ctx.beginPath();
    for (let k = planePoints.painted[l]; k < level.xs.length; ++k) {
      const x = u.valToPos(level.xs[k], "x", true) - left;
      const y = u.valToPos(level.ys[k], "y", true) - top;
      ctx.moveTo(x + r, y);
      ctx.arc(x, y, r, 0, 2 * Math.PI);
    }
    if (level.ring) ctx.stroke();
    else ctx.fill();
    planePoints.painted[l] = level.xs.length;
  });
  u.ctx.drawImage(planePoints.picture, left, top);
}

// The plane with the map as it is now.
export function drawPlane() {
  const run = `${Explorer.map.run}/${Explorer.mapB?.run}`;
  const levels = planeLevels();
  showPlaneLegend();
  planePoints = planePoints.run === run ? {...planePoints, levels}
    : {run, levels, size: null, picture: null, painted: []};
  if (Explorer.charts.plane) {
    markPlane();
    return;
  }
  const marker = (label, colour, size) => ({label, stroke: colour, fill: colour, paths: uPlot.paths.points(), points: {show: false, size}});
  const options = {
    title: "Maximum lift against duration above 1 mm",
    mode: 2, height: 360, legend: {show: false}, cursor: {drag: {x: false, y: false}, points: {show: false}},
    scales: {x: {time: false, auto: false, range: [0, 300]}, y: {auto: false, range: [0, 13]}},
    axes: [axis("duration above 1 mm (crank °)"), axis("maximum lift (mm)")],
    series: [{}, marker("chosen mode", "#000", 11), marker("target", "#e00", 13), marker("modes that reach it", "#f90", 9)],
    hooks: {drawAxes: [paintPlane]},
  };
  const chart = makeChart("plane", $("plane"), options, [null, ...markers()]);
  const lever = Explorer.facts.lever;
  chart.colourScale = {title: "each point's colour: green control shaft (lever) bar value", lowText: String(lever.min), highText: String(lever.max),
                       colour: (t) => leverColour(lever.min + t * (lever.max - lever.min))};
  chart.dots = () => planePoints.levels.map((level) => ({...level, size: kPointSize}));
  chart.over.addEventListener("mousemove", planeHover);
  chart.over.addEventListener("mouseleave", () => { $("plane-tip").hidden = true; });
  chart.over.addEventListener("click", planeClick);
}

// The chosen mode, the target and its answers moved over the same points.
export function markPlane() {
  Explorer.charts.plane?.setData([null, ...markers()]);
}

// The mode nearest a point of the plane, within a few pixels, of A's map or (on top) B's:
// its index in its map (-1 if none) and the map.
export function modeNear(left, top, pixels = 6) {
  const chart = Explorer.charts.plane;
  let best = -1;
  let bestMap = Explorer.map;
  let bestSq = pixels * pixels;
  for (const map of maps()) {
    const {rows, total} = map;
    for (let i = 0; i < total; ++i) {
      const x = rows[i * kStride + kDuration];
      const y = rows[i * kStride + kLift];
      if (!finite(x) || !finite(y)) continue;
      const dx = chart.valToPos(x, "x") - left;
      const dy = chart.valToPos(y, "y") - top;
      const sq = dx * dx + dy * dy;
      // B's rings lie on top: where one is as near as A's point, it is B's.
      if (sq < bestSq || (map !== Explorer.map && sq === bestSq && best >= 0)) { bestSq = sq; best = i; bestMap = map; }
    }
  }
  return {i: best, map: bestMap};
}

export function planeHover(event) {
  const tip = $("plane-tip");
  const {i, map} = modeNear(event.offsetX, event.offsetY);
  if (i < 0) { tip.hidden = true; return; }
  const r = map.rows.subarray(i * kStride, (i + 1) * kStride);
  const design = Explorer.mapB ? (map === Explorer.mapB ? "design B, " : "design A, ") : "";
  tip.textContent = `${design}lever ${r[0]}, eccentric ${r[1]}: maximum lift ${shown(r[2])} mm, ` +
    `duration above 1 mm ${shown(r[10], 1)}°, opening ${shown(r[8], 1)}°, closing ${shown(r[9], 1)}°`;
  tip.hidden = false;
  const box = $("plane").getBoundingClientRect();
  tip.style.left = `${Math.min(event.clientX - box.left + 12, box.width - 260)}px`;
  tip.style.top = `${event.clientY - box.top + 12}px`;
}

export function planeClick(event) {
  const chart = Explorer.charts.plane;
  const {i, map} = modeNear(event.offsetX, event.offsetY);
  if (i >= 0) {
    choose(map.rows[i * kStride], map.rows[i * kStride + 1], true);
    return;
  }
  const duration = chart.posToVal(event.offsetX, "x");
  const lift = chart.posToVal(event.offsetY, "y");
  setTarget(Number(lift.toFixed(3)), Number(duration.toFixed(2)));
}

// Arrow keys step the chosen mode through the map's grid.
export function planeKey(event) {
  const steps = {ArrowUp: [1, 0], ArrowDown: [-1, 0], ArrowRight: [0, 1], ArrowLeft: [0, -1]}[event.key];
  if (!steps) return;
  event.preventDefault();
  const f = Explorer.facts;
  const grid = Explorer.map.steps - 1;
  const leverStep = (f.lever.max - f.lever.min) / grid;
  const eccentricStep = (f.eccentric.max - f.eccentric.min) / grid;
  const s = Explorer.state;
  choose(clamp(Math.round(s.lever + steps[0] * leverStep), f.lever.min, f.lever.max),
         clamp(Math.round(s.eccentric + steps[1] * eccentricStep), f.eccentric.min, f.eccentric.max), true);
}

// Which points are which design's, while a design B is loaded.
function showPlaneLegend() {
  const legend = $("plane-legend");
  legend.hidden = !Explorer.mapB;
  if (!Explorer.mapB) return;
  const lever = Explorer.facts.lever;
  const entry = (className, colours, text) => {
    const item = document.createElement("span");
    const swatch = document.createElement("span");
    swatch.className = className;
    swatch.style.background = className === "dot" ? `linear-gradient(to right, ${colours.join(", ")})` : "transparent";
    swatch.style.borderColor = colours[0];
    item.append(swatch, ` ${text}`);
    return item;
  };
  legend.replaceChildren(
    entry("dot", [leverColour(lever.min), leverColour(lever.max)], `design A, ${Explorer.designA.name}: filled, dark to light by lever bar value`),
    entry("ring", [leverColourB(lever.min)], `design B, ${Explorer.designB.name}: rings, dark to light by lever bar value`));
}
