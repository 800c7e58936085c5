// Pinned modes, compared on one chart: with a design B loaded, B's lift of each
// beside A's.
import {writeAddress} from "./address.js";
import {aligned, axis, makeChart} from "./charts.js";
import {choose, kDesignBDash} from "./mode.js";
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

// A pin's detail of design A, or of the design of that text.
export const pinKey = (p, design = "") => (design ? `${design}\n` : "") + `${p.lever},${p.eccentric}`;
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
  const designs = Explorer.designB ? ["", Explorer.designB.text] : [""];
  for (const p of s.pins) {
    for (const design of designs) {
      if (Explorer.pinDetails.has(pinKey(p, design))) continue;
      Explorer.pinDetails.set(pinKey(p, design), await ask("detail", {design, lever: p.lever, eccentric: p.eccentric, speed: Explorer.map.speed, rpm: s.rpm, loadModel: s.loadModel}));
    }
  }
  drawCompare();
}

export function drawCompare() {
  const b = Explorer.designB;
  const pins = Explorer.state.pins.map((p, i) => ({...p, colour: kPinColours[i]}))
    .filter((p) => Explorer.pinDetails.has(pinKey(p)) && (!b || Explorer.pinDetails.has(pinKey(p, b.text))));
  const lines = pins.flatMap((p) => {
    const mode = `lever ${shown(p.lever, 2)}, eccentric ${shown(p.eccentric, 2)} (mm)`;
    const a = {detail: Explorer.pinDetails.get(pinKey(p)), series: {label: b ? `design A ${mode}` : mode, stroke: p.colour, width: 2}};
    if (!b) return [a];
    return [a, {detail: Explorer.pinDetails.get(pinKey(p, b.text)),
                series: {label: `design B ${mode}`, stroke: p.colour, width: 2, dash: kDesignBDash}}];
  });
  const data = lines.length ? aligned(lines.map(({detail}) => ({x: detail.crank, y: detail.lift}))) : [[0, 720]];
  const options = {
    title: "Exact lift of the pinned modes", height: 260,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, ...lines.map(({series}) => series)],
  };
  makeChart("compare", $("compare-chart"), options, data);
}
