// The map of every mode, filled by the workers slice by slice, and its loads.
import {drawHeat, heatQuantity} from "./heat.js";
import {shown} from "./numbers.js";
import {drawPlane} from "./plane.js";
import {$, Explorer, kLoadsAt, kLoadsSliceStride, kMapSliceStride, kStride} from "./state.js";
import {solveTarget} from "./target.js";
import {ask, mappers, newRun, onSlices} from "./workers.js";

export function startMap() {
  const {speed, grid: steps} = Explorer.state;
  $("map-speed").value = speed;
  $("map-steps").value = steps;
  const rows = new Float64Array(steps * steps * kStride).fill(NaN);
  const waiting = Explorer.map.loads?.waiting ?? [];
  Explorer.map = {rows, done: 0, total: steps * steps, speed, steps, run: newRun(), filled: new Uint8Array(steps * steps), loads: null};
  Explorer.stats.mapStartedAt = performance.now();
  Explorer.stats.mapMs = null;
  // Whoever waited for the old map's loads waits for the new one's.
  if (waiting.length) newLoads().waiting.push(...waiting);
  showProgress();
  const map = Explorer.map;
  mappers.forEach((worker, part) => {
    ask("map", {run: map.run, speed, leverSteps: steps, eccentricSteps: steps, part, parts: mappers.length}, worker);
  });
}

// Puts a slice's values of each mode in their place in the map; returns how many
// were new.
export function fill(rows, sliceStride, filled, at0) {
  const map = Explorer.map;
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

// A slice of the map from one of its workers, if it belongs to the map being drawn.
export function mapSlice({run, rows}) {
  const map = Explorer.map;
  if (run !== map.run) return;
  map.done += fill(rows, kMapSliceStride, map.filled, 0);
  showProgress();
  if (map.done >= map.total && Explorer.stats.mapMs === null) {
    Explorer.stats.mapMs = performance.now() - Explorer.stats.mapStartedAt;
    drawPlane();
    if (map.loads) sendLoads(map.loads);
    drawHeat();
    if (Explorer.state.target && !Explorer.target) solveTarget(false);
  } else if (performance.now() - (map.drawnAt ?? 0) > 250) {
    map.drawnAt = performance.now();
    drawPlane();
  }
}

// ---- the map's loads ------------------------------------------------------------------

// The map's load summaries cost more than the map itself, so they are computed only
// when asked for (a heat map of a load, the map's CSV), at the engine speed of the
// chosen mode, once the map is complete.
export function newLoads() {
  const map = Explorer.map;
  for (let i = 0; i < map.total; ++i) map.rows.fill(NaN, i * kStride + kLoadsAt, (i + 1) * kStride);
  // Whoever waited for loads at another speed waits for these.
  const waiting = map.loads?.waiting ?? [];
  map.loads = {rpm: Explorer.state.rpm, model: loadModelKey(), parameters: {...Explorer.state.loadModel}, run: null, done: 0,
               filled: new Uint8Array(map.total), waiting};
  return map.loads;
}

export function sendLoads(loads) {
  if (loads.run !== null) return;
  loads.run = newRun();
  loads.startedAt = performance.now();
  for (const worker of mappers) ask("loads", {run: loads.run, rpm: loads.rpm, parameters: loads.parameters}, worker);
  showProgress();
}

// Resolves once the map's loads at the engine speed are complete.
export function loadsReady() {
  const map = Explorer.map;
  const loads = map.loads?.rpm === Explorer.state.rpm && map.loads.model === loadModelKey() ? map.loads : newLoads();
  if (map.done >= map.total) sendLoads(loads);
  if (loads.done >= map.total) return Promise.resolve();
  return new Promise((resolve) => loads.waiting.push(resolve));
}

export function loadsSlice({run, rows}) {
  const map = Explorer.map;
  const loads = map.loads;
  if (!loads || run !== loads.run) return;
  loads.done += fill(rows, kLoadsSliceStride, loads.filled, kLoadsAt);
  showProgress();
  if (loads.done < map.total) return;
  Explorer.stats.loadsMs = performance.now() - loads.startedAt;
  for (const resolve of loads.waiting.splice(0)) resolve();
  drawHeat();
}

// The load model's parameters as the loads of the map remember them.
export const loadModelKey = () => JSON.stringify(Object.entries(Explorer.state.loadModel).sort());

// A new engine speed or load model: the map's loads with the old ones are computed
// again at once if a heat map shows one that depends on them (or an export waits for
// them); else they are given up (or, under a heat map of a quantity the engine speed
// does not change, kept while only the speed changed).
export function engineSpeedChanged() {
  const loads = Explorer.map.loads;
  const sameModel = loads?.model === loadModelKey();
  if (!loads || (sameModel && loads.rpm === Explorer.state.rpm)) return;
  const waiting = loads.waiting;
  const shownLoad = heatQuantity().loads;
  if (!waiting.length && shownLoad && !heatQuantity().atEngineSpeed && sameModel) return;
  if (waiting.length || shownLoad) {
    loadsReady();
  } else {
    Explorer.map.loads = null;
    if (loads.run !== null && loads.done < Explorer.map.total) for (const worker of mappers) ask("stop", {}, worker);
  }
  drawHeat();
  showProgress();
}

export const loadsDone = () => !Explorer.map.loads || Explorer.map.loads.done >= Explorer.map.total;

export function showProgress() {
  const {done, total, loads} = Explorer.map;
  const computingLoads = done >= total && loads && loads.done < total;
  $("map-progress").max = total;
  $("map-progress").value = computingLoads ? loads.done : done;
  $("progress-label").textContent = done < total ? `Computing the map: ${done} of ${total} modes`
    : computingLoads ? `Computing the map's loads at ${shown(loads.rpm, 0)} rpm: ${loads.done} of ${total} modes`
    : `Map of ${total} modes ready`;
  $("progress-line").classList.toggle("done", done >= total && !computingLoads);
}

onSlices("map", mapSlice);
onSlices("loads", loadsSlice);
