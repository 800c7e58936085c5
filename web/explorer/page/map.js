// The map of every mode, filled by the workers slice by slice, and its loads: one
// map for design A (the window's, Explorer.map) and, once a design is loaded, one for
// design B (Explorer.mapB), on the same grid.
import {drawDifference} from "./difference.js";
import {drawHeat, heatQuantity} from "./heat.js";
import {shown} from "./numbers.js";
import {drawPlane} from "./plane.js";
import {$, Explorer, kLoadsAt, kLoadsSliceStride, kMapSliceStride, kStride} from "./state.js";
import {solveTarget} from "./target.js";
import {ask, mappers, newRun, onSlices} from "./workers.js";

// The maps there are: A's, and B's while a design is loaded.
export const maps = () => (Explorer.mapB ? [Explorer.map, Explorer.mapB] : [Explorer.map]);

// A new map of a design at the page's settings: design, its file's text ("" for the
// window's), and range, its bars' ranges. As in torlin-modes, each bar takes the grid's
// number of values, or all it has where it has fewer.
function newMap(design, old, range = Explorer.facts) {
  const {speed, grid} = Explorer.state;
  const stepsOf = ({min, max}) => Math.max(2, Math.min(grid, max - min + 1));
  const [leverSteps, eccentricSteps] = [stepsOf(range.lever), stepsOf(range.eccentric)];
  const total = leverSteps * eccentricSteps;
  const rows = new Float64Array(total * kStride).fill(NaN);
  const map = {rows, done: 0, total, speed, steps: leverSteps, leverSteps, eccentricSteps, run: newRun(), filled: new Uint8Array(total),
               loads: null, design, range: {lever: range.lever, eccentric: range.eccentric}, startedAt: performance.now(), ms: null};
  // Whoever waited for the old map's loads waits for the new one's.
  const waiting = old?.loads?.waiting ?? [];
  if (waiting.length) newLoads(map).waiting.push(...waiting);
  mappers.forEach((worker, part) => {
    ask("map", {design, run: map.run, speed, leverSteps, eccentricSteps, part, parts: mappers.length}, worker);
  });
  return map;
}

// The map of A, and of B if a design is loaded, at the page's settings.
export function startMap() {
  $("map-speed").value = Explorer.state.speed;
  $("map-steps").value = Explorer.state.grid;
  Explorer.stats.mapStartedAt = performance.now();
  Explorer.stats.mapMs = null;
  Explorer.map = newMap("", Explorer.map);
  if (Explorer.designB) Explorer.mapB = newMap(Explorer.designB.text, Explorer.mapB, Explorer.designB);
  showProgress();
}

// B's map alone, for a design just loaded; or none once it is taken away.
export function startMapB() {
  const old = Explorer.mapB;
  if (old && old.done < old.total) for (const worker of mappers) ask("stop", {design: old.design}, worker);
  Explorer.mapB = Explorer.designB ? newMap(Explorer.designB.text, old, Explorer.designB) : null;
  showProgress();
}

// Puts a slice's values of each mode in their place in the map; returns how many
// were new.
export function fill(map, rows, sliceStride, filled, at0) {
  let added = 0;
  for (let at = 0; at < rows.length; at += sliceStride) {
    const index = rows[at];
    if (filled[index]) continue;
    filled[index] = 1;
    map.rows.set(rows.subarray(at + 1, at + sliceStride), index * kStride + at0);
    ++added;
  }
  return added;
}

// A slice of a map from one of its workers, if it belongs to a map being drawn.
export function mapSlice({run, rows}) {
  const map = maps().find((m) => m.run === run);
  if (!map) return;
  map.done += fill(map, rows, kMapSliceStride, map.filled, 0);
  showProgress();
  if (map.done >= map.total && map.ms === null) {
    map.ms = performance.now() - map.startedAt;
    if (map === Explorer.map) Explorer.stats.mapMs = map.ms;
    else Explorer.stats.designMapMs ??= performance.now() - Explorer.stats.designStartedAt;
    drawPlane();
    if (map.loads) sendLoads(map, map.loads);
    if (map === Explorer.map) {
      drawHeat();
      if (Explorer.state.target && !Explorer.target) solveTarget(false);
    } else if (Explorer.state.target && !Explorer.targetB) {
      solveTarget(false);
    }
    drawDifference();
  } else if (performance.now() - (map.drawnAt ?? 0) > 250) {
    map.drawnAt = performance.now();
    drawPlane();
  }
}

// ---- the map's loads ------------------------------------------------------------------

// The map's load summaries cost more than the map itself, so they are computed only
// when asked for (a heat map of a load, the map's CSV), at the engine speed of the
// chosen mode, once the map is complete.
export function newLoads(map = Explorer.map) {
  for (let i = 0; i < map.total; ++i) map.rows.fill(NaN, i * kStride + kLoadsAt, (i + 1) * kStride);
  // Whoever waited for loads at another speed waits for these.
  const waiting = map.loads?.waiting ?? [];
  map.loads = {rpm: Explorer.state.rpm, model: loadModelKey(), parameters: {...Explorer.state.loadModel}, run: null, done: 0,
               filled: new Uint8Array(map.total), waiting};
  return map.loads;
}

export function sendLoads(map, loads) {
  if (loads.run !== null) return;
  loads.run = newRun();
  loads.startedAt = performance.now();
  for (const worker of mappers) ask("loads", {design: map.design, run: loads.run, rpm: loads.rpm, parameters: loads.parameters}, worker);
  showProgress();
}

// Resolves once the map's loads at the engine speed are complete.
export function loadsReady(map = Explorer.map) {
  const loads = map.loads?.rpm === Explorer.state.rpm && map.loads.model === loadModelKey() ? map.loads : newLoads(map);
  if (map.done >= map.total) sendLoads(map, loads);
  if (loads.done >= map.total) return Promise.resolve();
  return new Promise((resolve) => loads.waiting.push(resolve));
}

export function loadsSlice({run, rows}) {
  const map = maps().find((m) => m.loads?.run === run);
  if (!map) return;
  const loads = map.loads;
  loads.done += fill(map, rows, kLoadsSliceStride, loads.filled, kLoadsAt);
  showProgress();
  if (loads.done < map.total) return;
  if (map === Explorer.map) Explorer.stats.loadsMs = performance.now() - loads.startedAt;
  for (const resolve of loads.waiting.splice(0)) resolve();
  if (map === Explorer.map) drawHeat();
  drawDifference();
}

// The load model's parameters as the loads of the map remember them.
export const loadModelKey = () => JSON.stringify(Object.entries(Explorer.state.loadModel).sort());

// A new engine speed or load model: the map's loads with the old ones are computed
// again at once if a heat map shows one that depends on them (or an export waits for
// them); else they are given up (or, under a heat map of a quantity the engine speed
// does not change, kept while only the speed changed).
function mapEngineSpeedChanged(map) {
  const loads = map.loads;
  const sameModel = loads?.model === loadModelKey();
  if (!loads || (sameModel && loads.rpm === Explorer.state.rpm)) return;
  const waiting = loads.waiting;
  const shownLoad = heatQuantity().loads;
  if (!waiting.length && shownLoad && !heatQuantity().atEngineSpeed && sameModel) return;
  if (waiting.length || shownLoad) {
    loadsReady(map);
  } else {
    map.loads = null;
    if (loads.run !== null && loads.done < map.total) for (const worker of mappers) ask("stop", {design: map.design}, worker);
  }
}
export function engineSpeedChanged() {
  for (const map of maps()) mapEngineSpeedChanged(map);
  drawHeat();
  drawDifference();
  showProgress();
}

const mapLoadsDone = (map) => !map.loads || map.loads.done >= map.total;
export const loadsDone = () => maps().every(mapLoadsDone);
export const mapsDone = () => maps().every((map) => map.done >= map.total);

// What a map's workers are at, or null once it and its loads are complete.
function progressOf(map, whose) {
  const {done, total, loads} = map;
  if (done < total) return {done, total, text: `Computing ${whose}map: ${done} of ${total} modes`};
  if (loads && loads.done < total) {
    return {done: loads.done, total, text: `Computing ${whose}map's loads at ${shown(loads.rpm, 0)} rpm: ${loads.done} of ${total} modes`};
  }
  return null;
}

export function showProgress() {
  const {total} = Explorer.map;
  const busy = progressOf(Explorer.map, "the ") ?? (Explorer.mapB && progressOf(Explorer.mapB, "design B's "));
  $("map-progress").max = busy ? busy.total : total;
  $("map-progress").value = busy ? busy.done : total;
  $("progress-label").textContent = busy ? busy.text
    : Explorer.mapB ? `Maps of ${total} modes of designs A and B ready` : `Map of ${total} modes ready`;
  $("progress-line").classList.toggle("done", !busy);
}

onSlices("map", mapSlice);
onSlices("loads", loadsSlice);
