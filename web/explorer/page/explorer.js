// The Explorer's page: asks its workers (the C++ analysis in WebAssembly) for the map,
// a mode's curves and table, and targets, and draws the answers with uPlot. The page
// computes nothing of the mechanism itself. This module wires the page's controls
// and starts it; each concern is a module of its own beside it.
import {readAddress, writeAddress} from "./address.js";
import {chartPng, chartSvg} from "./chart-exports.js";
import {curvesCsv, exportCurves, exportMap} from "./csv-exports.js";
import {drawHeat, forgetHeatCursor, heatClick, heatKey, heatName, heatQuantities, markHeat, showHeatCell} from "./heat.js";
import {engineSpeedChanged, loadsDone, startMap} from "./map.js";
import {choose, findDemonstration, requestDetail, showShafts} from "./mode.js";
import {clamp, finite} from "./numbers.js";
import {pin, showPins} from "./pins.js";
import {planeKey} from "./plane.js";
import {$, Explorer, kLoadsAt, kStride} from "./state.js";
import {setTarget, solveTarget} from "./target.js";
import {ask, pending} from "./workers.js";

function wireShaft(name) {
  const f = Explorer.facts[name];
  const range = $(`${name}-range`);
  const number = $(`${name}-number`);
  for (const input of [range, number]) {
    input.min = String(f.min);
    input.max = String(f.max);
  }
  range.step = "0.1";
  number.title = f.description;
  const value = () => Explorer.state[name === "lever" ? "eccentric" : "lever"];
  range.addEventListener("input", () => {
    const v = Number(range.value);
    name === "lever" ? choose(v, value(), false) : choose(value(), v, false);
  });
  range.addEventListener("change", () => writeAddress(true));
  number.addEventListener("change", () => {
    const v = Number.parseFloat(number.value);
    if (!finite(v)) { showShafts(); return; }
    name === "lever" ? choose(v, value(), true) : choose(value(), v, true);
    number.value = String(Explorer.state[name]);
  });
}

function applyAddress() {
  readAddress();
  forgetHeatCursor();
  showShafts();
  requestDetail();
  showPins();
  engineSpeedChanged();
  const t = Explorer.state.target;
  $("target-lift").value = t ? String(t.lift) : "";
  $("target-duration").value = t ? String(t.duration) : "";
  Explorer.target = null;
  if (t) solveTarget(false);
  else $("target-answer").replaceChildren();
}

async function start() {
  Explorer.facts = await ask("facts", {});
  wireShaft("lever");
  wireShaft("eccentric");
  $("rpm").addEventListener("change", () => {
    const v = Number.parseFloat($("rpm").value);
    Explorer.state.rpm = finite(v) ? clamp(v, 100, 20000) : Explorer.state.rpm;
    Explorer.pinDetails.clear();
    writeAddress(true);
    requestDetail();
    showPins();
    engineSpeedChanged();
  });
  $("pin").addEventListener("click", pin);
  $("plane").addEventListener("keydown", planeKey);
  $("heat").addEventListener("click", heatClick);
  $("heat").addEventListener("keydown", heatKey);
  for (const type of ["focus", "blur"]) $("heat").addEventListener(type, () => { markHeat(); showHeatCell(); });
  $("map-run").addEventListener("click", () => { Explorer.target = null; startMap(); });
  $("target-form").addEventListener("submit", (event) => {
    event.preventDefault();
    const lift = Number.parseFloat($("target-lift").value);
    const duration = Number.parseFloat($("target-duration").value);
    if (finite(lift) && finite(duration)) setTarget(lift, duration);
  });
  $("export-curves").addEventListener("click", exportCurves);
  $("export-map").addEventListener("click", exportMap);
  $("heat-quantity").replaceChildren(...heatQuantities().map((q) => Object.assign(document.createElement("option"), {value: q.column, textContent: heatName(q)})));
  $("heat-quantity").addEventListener("change", drawHeat);
  addEventListener("popstate", applyAddress);
  findDemonstration();
  startMap();
  applyAddress();
  Explorer.ready = true;
}

// True once every question asked has its answer drawn and the map is complete.
Explorer.idle = () => Explorer.ready === true && pending.size === 0 && Explorer.map.done >= Explorer.map.total && loadsDone() &&
  !Explorer.drawing;
Explorer.exportCurves = exportCurves;
Explorer.curvesCsv = curvesCsv;
Explorer.choose = choose;
Explorer.setTarget = setTarget;
Explorer.exportMap = exportMap;
Explorer.layout = {stride: kStride, loadsAt: kLoadsAt};
Explorer.chartSvg = (key) => chartSvg(Explorer.charts[key]);
Explorer.chartPng = (key) => chartPng(Explorer.charts[key]);
start();
