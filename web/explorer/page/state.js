// The Explorer's state: the view the address holds, the map as the workers fill it,
// the answers on the screen, and the layout of the map's rows.
export const kMaxPins = 6;
// Per mode of the map: lever, eccentric, the nine summary columns, then the three
// load values (NaN until the map's loads are computed at the engine speed).
export const kSummaryCount = 9;
export const kLoadsAt = 2 + kSummaryCount;
export const kLoadsCount = 3;
export const kStride = kLoadsAt + kLoadsCount;
export const kLift = 2;     // maxLift_mm
export const kDuration = 10;  // duration1mm_crankDeg
// A worker's slice puts the mode's index in front of its values.
export const kMapSliceStride = 1 + kLoadsAt;
export const kLoadsSliceStride = 1 + kLoadsCount;
export const kPinColours = ["#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf"];
export const $ = (id) => document.getElementById(id);

export const Explorer = {
  facts: null,
  map: {rows: new Float64Array(0), done: 0, total: 0, speed: 400, steps: 100, run: 0, filled: new Uint8Array(0), loads: null},
  state: {lever: 60, eccentric: 200, rpm: 3000, pins: [], target: null},
  detail: null,
  target: null,
  pinDetails: new Map(),
  charts: {},
  drawing: 0,  // questions on their way to the screen
  stats: {mapStartedAt: 0, mapMs: null, loadsMs: null, detailMs: [], detailWorkerMs: [], targetMs: [], errors: 0},
};
window.Explorer = Explorer;
