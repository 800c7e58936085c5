// The view in the address, so that a copied link shows the same view and back and
// forward step through choices.
import {clamp, finite} from "./numbers.js";
import {$, Explorer, kMaxPins} from "./state.js";

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
  s.rpm = number("rpm", 3000, 100, 20000);
  s.pins = q.getAll("pin").map((text) => text.split(",").map(Number.parseFloat))
    .filter((p) => p.length === 2 && p.every(finite))
    .map(([l, e]) => ({lever: clamp(l, f.lever.min, f.lever.max), eccentric: clamp(e, f.eccentric.min, f.eccentric.max)}))
    .slice(0, kMaxPins);
  const target = (q.get("target") ?? "").split(",").map(Number.parseFloat);
  s.target = target.length === 2 && target.every(finite) ? {lift: target[0], duration: target[1]} : null;
}

export function addressOf(s) {
  const q = new URLSearchParams();
  q.set("lever", String(s.lever));
  q.set("eccentric", String(s.eccentric));
  q.set("rpm", String(s.rpm));
  for (const p of s.pins) q.append("pin", `${p.lever},${p.eccentric}`);
  if (s.target) q.set("target", `${s.target.lift},${s.target.duration}`);
  return `?${q}`;
}

// A finished choice adds a history entry; a slider on its way replaces the last one.
export function writeAddress(push) {
  const next = addressOf(Explorer.state);
  if (next === location.search) return;
  if (push) history.pushState(null, "", next);
  else history.replaceState(null, "", next);
}
