// Pinned modes, compared on one chart.
import {writeAddress} from "./address.js";
import {aligned, axis, makeChart} from "./charts.js";
import {choose} from "./mode.js";
import {shown} from "./numbers.js";
import {$, Explorer, kMaxPins, kPinColours} from "./state.js";
import {ask} from "./workers.js";

export function pin() {
  const s = Explorer.state;
  if (s.pins.length >= kMaxPins) return;
  if (s.pins.some((p) => p.lever === s.lever && p.eccentric === s.eccentric)) return;
  s.pins.push({lever: s.lever, eccentric: s.eccentric});
  writeAddress(true);
  showPins();
}

export function unpin(index) {
  Explorer.state.pins.splice(index, 1);
  writeAddress(true);
  showPins();
}

export const pinKey = (p) => `${p.lever},${p.eccentric}`;
export async function showPins() {
  const s = Explorer.state;
  $("pin").disabled = s.pins.length >= kMaxPins;
  const list = $("pins");
  list.replaceChildren(...s.pins.map((p, i) => {
    const item = document.createElement("li");
    item.style.borderLeftColor = kPinColours[i];
    const show = document.createElement("button");
    show.type = "button";
    show.textContent = `lever ${shown(p.lever, 2)}, eccentric ${shown(p.eccentric, 2)}`;
    show.addEventListener("click", () => choose(p.lever, p.eccentric, true));
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "Unpin";
    remove.setAttribute("aria-label", `Unpin lever ${p.lever}, eccentric ${p.eccentric}`);
    remove.addEventListener("click", () => unpin(i));
    item.append(show, " ", remove);
    return item;
  }));
  if (!s.pins.length) list.append(Object.assign(document.createElement("li"), {textContent: "None yet: “Pin this mode” adds the chosen mode (up to six)."}));
  for (const p of s.pins) {
    if (!Explorer.pinDetails.has(pinKey(p))) {
      Explorer.pinDetails.set(pinKey(p), await ask("detail", {lever: p.lever, eccentric: p.eccentric, speed: Explorer.map.speed, rpm: s.rpm, loadModel: s.loadModel}));
    }
  }
  drawCompare();
}

export function drawCompare() {
  const pins = Explorer.state.pins.filter((p) => Explorer.pinDetails.has(pinKey(p)));
  const curves = pins.map((p) => { const d = Explorer.pinDetails.get(pinKey(p)); return {x: d.crank, y: d.lift}; });
  const data = curves.length ? aligned(curves) : [[0, 720]];
  const options = {
    title: "Exact lift of the pinned modes", height: 260,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, ...pins.map((p, i) => ({label: `lever ${shown(p.lever, 2)}, eccentric ${shown(p.eccentric, 2)} (mm)`, stroke: kPinColours[i], width: 2}))],
  };
  makeChart("compare", $("compare-chart"), options, data);
}
