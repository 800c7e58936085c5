// The load model's parameters (spring, preload, mass, contact width, material): set
// on the page, kept in the address where they differ from the defaults, and sent to
// the workers with every question about loads. Their names, ranges and defaults come
// from the C++.
import {finite, shown} from "./numbers.js";
import {$, Explorer} from "./state.js";

// Why a value is not one for the parameter, or null.
function problemOf(p, value) {
  if (!finite(value)) return `${p.label}: give a number`;
  const low = p.zeroAllowed ? value < 0 : value <= 0;
  if (low || value > p.max) return `${p.label} must lie ${p.zeroAllowed ? "from" : "above"} 0 ${p.zeroAllowed ? "to" : "up to"} ${p.max}${p.unit ? ` ${p.unit}` : ""}`;
  return null;
}

// The parameters an address sets (only those in range, and unlike the default).
export function loadModelOf(query) {
  const model = {};
  for (const p of Explorer.facts.loadParameters) {
    const text = query.get(p.name);
    const value = text === null ? NaN : Number(text);
    if (!problemOf(p, value) && value !== p.value) model[p.name] = value;
  }
  return model;
}

const valueOf = (p) => Explorer.state.loadModel[p.name] ?? p.value;

export function showLoadModel() {
  for (const p of Explorer.facts.loadParameters) $(`load-${p.name}`).value = String(valueOf(p));
  $("load-model-problem").textContent = "";
}

// One field per parameter; changed tells the page the model is new.
export function wireLoadModel(changed) {
  const fields = Explorer.facts.loadParameters.map((p) => {
    const label = document.createElement("label");
    const input = Object.assign(document.createElement("input"), {id: `load-${p.name}`, type: "number", step: "any", min: "0", max: String(p.max)});
    input.title = `default ${shown(p.value)}`;
    input.addEventListener("change", () => {
      const value = Number.parseFloat(input.value);
      const problem = problemOf(p, value);
      if (problem) {
        input.value = String(valueOf(p));
        $("load-model-problem").textContent = `Not taken: ${problem}.`;
        return;
      }
      $("load-model-problem").textContent = "";
      if (value === p.value) delete Explorer.state.loadModel[p.name];
      else Explorer.state.loadModel[p.name] = value;
      changed();
    });
    label.append(`${p.label}${p.unit ? ` (${p.unit})` : ""} `, input);
    return label;
  });
  $("load-model").append(...fields);
}
