// The view in the address, so that a copied link shows the same view and back and
// forward step through choices.
import {clamp, finite} from "./numbers.js";
import {loadModelOf, settingsOf} from "./load-model.js";
import {Explorer, kMaxPins} from "./state.js";
import {targetProblem} from "./target.js";

export function readAddress() {
  const q = new URLSearchParams(location.search);
  const s = Explorer.state;
  const f = Explorer.facts;
  const number = (name, fallback, lo, hi) => {
    const v = Number.parseFloat(q.get(name));
    return finite(v) ? clamp(v, lo, hi) : fallback;
  };
  s.lever = number("lever", f.lever.value, f.lever.min, f.lever.max);
  s.eccentric = number("eccentric", f.eccentric.value, f.eccentric.min, f.eccentric.max);
  s.rpm = number("rpm", f.rpm.value, f.rpm.min, f.rpm.max);
  s.speed = Math.round(number("speed", f.speed.value, f.speed.min, f.speed.max));
  s.grid = Math.round(number("grid", f.grid.value, f.grid.min, f.grid.max));
  s.loadModel = loadModelOf(q);
  s.limits = settingsOf("limits", q);
  // Each mode pinned once, as the pin button allows.
  const pins = new Map();
  for (const text of q.getAll("pin")) {
    const p = text.split(",").map(Number.parseFloat);
    if (p.length !== 2 || !p.every(finite)) continue;
    const pin = {lever: clamp(p[0], f.lever.min, f.lever.max), eccentric: clamp(p[1], f.eccentric.min, f.eccentric.max)};
    pins.set(`${pin.lever},${pin.eccentric}`, pin);
  }
  s.pins = [...pins.values()].slice(0, kMaxPins);
  // A target the form would refuse is refused here too, and said so.
  const text = q.get("target");
  const target = (text ?? "").split(",").map(Number.parseFloat);
  const problem = text === null ? null : target.length === 2 ? targetProblem(target[0], target[1]) : "it is not two numbers";
  s.target = text !== null && !problem ? {lift: target[0], duration: target[1]} : null;
  Explorer.refusedTarget = problem ? {text, problem} : null;
  s.design = q.get("design");
}

export function addressOf(s) {
  const q = new URLSearchParams();
  q.set("lever", String(s.lever));
  q.set("eccentric", String(s.eccentric));
  q.set("rpm", String(s.rpm));
  q.set("speed", String(s.speed));
  q.set("grid", String(s.grid));
  for (const [name, value] of Object.entries({...s.loadModel, ...s.limits})) q.set(name, String(value));
  for (const p of s.pins) q.append("pin", `${p.lever},${p.eccentric}`);
  if (s.target) q.set("target", `${s.target.lift},${s.target.duration}`);
  if (s.design) q.set("design", s.design);
  return `?${q}`;
}

// A finished choice adds a history entry; a slider on its way replaces the last one.
// Values typed one field after another (lever, then eccentric) are one choice: back
// goes to the view before them, not to the half-typed one between.
let typing = false;
export function writeAddress(push, typed = false) {
  const next = addressOf(Explorer.state);
  if (next === location.search) return;
  if (push && !(typed && typing)) history.pushState(null, "", next);
  else history.replaceState(null, "", next);
  typing = push ? typed : typing;
}
// Back or forward: the next typed value starts a choice of its own.
export const addressApplied = () => { typing = false; };
