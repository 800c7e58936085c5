// The change from design A to design B of the heat maps' quantity over the two
// shafts: B's value less A's, mode by mode, on a diverging scale centred on zero.
import {atSpeed, heatChart, heatClick, heatGrid, heatName, heatQuantity, valuesWaiting} from "./heat.js";
import {finite, shown} from "./numbers.js";
import {$, Explorer, kStride} from "./state.js";

// What a mode's change is taken of: a torque's size, as its heat map colours it; a
// separation speed as it is (the heat map's top is for its colours alone).
const changed = (q, v) => (finite(v) && q.colourBySize ? Math.abs(v) : v);

// Blue where B is lower, near white where the two agree, red where B is higher: t
// from -1 to 1. A mode either design has no value for is a darker grey.
const kLow = [33, 102, 172];
const kEqual = [240, 240, 240];
const kHigh = [178, 24, 43];
const kNone = "#b0b0b0";
export function differenceColour(t) {
  const s = Math.min(1, Math.abs(finite(t) ? t : 0));
  const [r, g, b] = (t < 0 ? kLow : kHigh).map((c, k) => Math.round(kEqual[k] + (c - kEqual[k]) * s));
  return `rgb(${r}, ${g}, ${b})`;
}

// B - A of each mode of the map; NaN where either has no value.
export function changes(quantity) {
  const a = Explorer.map.rows;
  const b = Explorer.mapB.rows;
  return Float64Array.from({length: Explorer.map.total}, (_, i) =>
    changed(quantity, b[i * kStride + quantity.index]) - changed(quantity, a[i * kStride + quantity.index]));
}

// Draws the heat map of the change once both maps (and for a load, both maps' loads)
// are complete; hidden while no design B is loaded.
export function drawDifference() {
  const a = Explorer.map;
  const b = Explorer.mapB;
  $("difference-section").hidden = !b;
  if (!b) return;
  // Mode by mode needs the same modes: designs whose bars' ranges differ have no change map.
  const same = (r, s) => r.min === s.min && r.max === s.max;
  const comparable = same(a.range.lever, b.range.lever) && same(a.range.eccentric, b.range.eccentric) &&
    a.leverSteps === b.leverSteps && a.eccentricSteps === b.eccentricSteps;
  $("difference").hidden = !comparable;
  if (!comparable) {
    Explorer.charts.difference?.destroy();
    delete Explorer.charts.difference;
    $("difference-scale").textContent = `Design B's bars range over lever ${b.range.lever.min} to ${b.range.lever.max} and ` +
      `eccentric ${b.range.eccentric.min} to ${b.range.eccentric.max}, A's over ${a.range.lever.min} to ${a.range.lever.max} and ` +
      `${a.range.eccentric.min} to ${a.range.eccentric.max}: their maps have other modes, so there is no change to show mode by mode.`;
    return;
  }
  if (a.done < a.total || b.done < b.total) return;
  const quantity = heatQuantity();
  const waitingA = valuesWaiting(a, quantity);
  const waitingB = valuesWaiting(b, quantity);
  const values = waitingA || waitingB ? new Float64Array(a.total).fill(NaN) : changes(quantity);
  const top = values.reduce((m, v) => (finite(v) ? Math.max(m, Math.abs(v)) : m), 0);
  const colourAt = (i) => (finite(values[i]) ? differenceColour(top > 0 ? values[i] / top : 0) : kNone);
  const heat = {quantity, lo: -top, hi: top, rows: a.rows, total: a.total, ...heatGrid(a), size: null, picture: null, values, colourAt,
                ring: "#000"};
  const title = `Change in ${heatName(quantity)}${atSpeed(quantity)}, design B − design A`;
  const chart = heatChart("difference", $("difference"), title, heat);
  const scale = $("difference-scale");
  if (waitingA || waitingB) {
    scale.replaceChildren(`The loads of the maps at ${shown(Explorer.state.rpm, 0)} rpm are being computed…`);
    return;
  }
  const bar = document.createElement("span");
  bar.className = "gradient";
  bar.style.background = `linear-gradient(to right, ${differenceColour(-1)}, ${differenceColour(0)}, ${differenceColour(1)})`;
  const low = document.createElement("span");
  low.textContent = `${top > 0 ? shown(-top, 2) : "0"} ${quantity.unit} (B lower)`;
  const high = document.createElement("span");
  high.textContent = `${top > 0 ? `+${shown(top, 2)}` : "0"} ${quantity.unit} (B higher)`;
  scale.replaceChildren(low, bar, high);
  chart.colourScale = {title: `change, B − A (${quantity.unit})`, colour: (t) => differenceColour(2 * t - 1),
                       lowText: low.textContent, highText: high.textContent};
}

export const differenceClick = (event) => { if (Explorer.charts.difference) heatClick(event, Explorer.charts.difference); };
