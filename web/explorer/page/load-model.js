// The load model's parameters (spring, preload, mass, contact width, material) and
// the limits a mode's loads are judged against: set on the page, kept in the address
// where they differ from the defaults, and sent to the workers with every question
// about loads. Their names, ranges and defaults come from the C++.
import {finite, shown} from "./numbers.js";
import {$, Explorer} from "./state.js";

// Each kind of settings: its fields in the facts, its place in the state, its fieldset
// and the ids of its inputs. A limit without a default value of its own (the
// separation speed's: the engine speed) is that default while its field is empty.
const kKinds = {
  loadModel: {fields: () => Explorer.facts.loadParameters, box: "load-model", prefix: "load-"},
  limits: {fields: () => Explorer.facts.limits, box: "limits", prefix: "limit-", unset: "the engine speed"},
};

// Why a value is not one for the parameter, or null.
function problemOf(p, value) {
  if (!finite(value)) return `${p.label}: give a number`;
  const low = p.zeroAllowed ? value < 0 : value <= 0;
  if (low || value > p.max) return `${p.label} must lie ${p.zeroAllowed ? "from" : "above"} 0 ${p.zeroAllowed ? "to" : "up to"} ${p.max}${p.unit ? ` ${p.unit}` : ""}`;
  return null;
}

// The settings of a kind an address sets (only those in range, and unlike the default).
export function settingsOf(kind, query) {
  const settings = {};
  for (const p of kKinds[kind].fields()) {
    const text = query.get(p.name);
    const value = text === null ? NaN : Number(text);
    if (!problemOf(p, value) && value !== p.value) settings[p.name] = value;
  }
  return settings;
}
export const loadModelOf = (query) => settingsOf("loadModel", query);

const valueOf = (kind, p) => Explorer.state[kind][p.name] ?? p.value;

export function showLoadModel() {
  for (const [kind, {fields, prefix}] of Object.entries(kKinds)) {
    for (const p of fields()) $(`${prefix}${p.name}`).value = String(valueOf(kind, p) ?? "");
  }
  $("load-model-problem").textContent = "";
}

// One field per parameter; changed(kind) tells the page which settings are new.
function wireKind(kind, changed) {
  const {fields, box, prefix, unset} = kKinds[kind];
  const settings = () => Explorer.state[kind];
  const inputs = fields().map((p) => {
    const label = document.createElement("label");
    const input = Object.assign(document.createElement("input"), {id: `${prefix}${p.name}`, type: "number", step: "any", min: "0", max: String(p.max)});
    input.title = `default ${p.value === null ? unset : shown(p.value)}`;
    if (p.value === null) input.placeholder = unset;
    input.addEventListener("change", () => {
      const value = Number.parseFloat(input.value);
      const problem = p.value === null && input.value.trim() === "" ? null : problemOf(p, value);
      if (problem) {
        input.value = String(valueOf(kind, p) ?? "");
        $("load-model-problem").textContent = `Not taken: ${problem}.`;
        return;
      }
      $("load-model-problem").textContent = "";
      if (value === p.value || !finite(value)) delete settings()[p.name];
      else settings()[p.name] = value;
      changed(kind);
    });
    label.append(`${p.label}${p.unit ? ` (${p.unit})` : ""} `, input);
    return label;
  });
  $(box).append(...inputs);
}

export function wireLoadModel(changed) {
  for (const kind of Object.keys(kKinds)) wireKind(kind, changed);
  $("per-valve").textContent = Explorer.facts.perValve;
}
