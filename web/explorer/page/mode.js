// The chosen mode: its bar values, curves and table; with a design B loaded, B's
// beside A's.
import {writeAddress} from "./address.js";
import {aligned, axis, makeChart} from "./charts.js";
import {forgetHeatCursor, markHeat} from "./heat.js";
import {clamp, finite, nullIfNaN, shown} from "./numbers.js";
import {markPlane} from "./plane.js";
import {$, Explorer} from "./state.js";
import {answerer, ask, latestOnly} from "./workers.js";

export function showShafts() {
  const s = Explorer.state;
  for (const [name, value] of [["lever", s.lever], ["eccentric", s.eccentric]]) {
    if (document.activeElement !== $(`${name}-number`)) $(`${name}-number`).value = String(value);
    $(`${name}-range`).value = String(value);
  }
  $("rpm").value = String(s.rpm);
  const lever = Math.round(s.lever);
  const eccentric = Math.round(s.eccentric);
  $("watch").href = `index.html?lever=${lever}&eccentric=${eccentric}`;
  $("watch-command").textContent = `torlin --lever ${lever} --eccentric ${eccentric}`;
  $("watch-bars").textContent = `green bar to ${lever} and the orange bar to ${eccentric}`;
}

// The demonstration page lies beside the served Explorer. The single file opened
// from disk has none beside it (and the page would need a server): it says where to
// watch the mode instead of offering a link that leads nowhere; so does a served
// Explorer whose host has no demonstration page.
export async function findDemonstration() {
  let there = location.protocol !== "file:";
  if (there) {
    try {
      there = (await fetch("index.html", {method: "HEAD", cache: "no-store"})).ok;
    } catch {
      there = false;
    }
  }
  $("watch").hidden = !there;
  $("watch-elsewhere").hidden = there;
}

// typed: by a number field, which with the other field makes one history entry.
export function choose(lever, eccentric, push, typed = false) {
  const f = Explorer.facts;
  if (!finite(lever) || !finite(eccentric)) return;
  Explorer.state.lever = clamp(lever, f.lever.min, f.lever.max);
  Explorer.state.eccentric = clamp(eccentric, f.eccentric.min, f.eccentric.max);
  forgetHeatCursor();
  showShafts();
  requestDetail();  // first, so that the worker computes while the address is written
  writeAddress(push, typed);
}

export const requestDetail = latestOnly(async () => {
  const s = Explorer.state;
  const started = performance.now();
  const asked = {lever: s.lever, eccentric: s.eccentric, speed: Explorer.map.speed, rpm: s.rpm, loadModel: s.loadModel, limits: s.limits};
  const designB = Explorer.designB;
  const [{value: detail, workMs}, detailB] = await Promise.all([
    ask("detail", asked, answerer, true), designB ? ask("detail", {...asked, design: designB.text}) : null]);
  Explorer.detail = detail;
  Explorer.detailB = designB === Explorer.designB ? detailB : null;
  drawDetail(detail, Explorer.detailB);
  await new Promise((done) => requestAnimationFrame(done));
  Explorer.stats.detailMs.push(performance.now() - started);
  Explorer.stats.detailWorkerMs.push(workMs);
});

// Velocity, acceleration and jerk stacked on one crank axis, each on its own scale
// with its zero drawn, as torlin-modes draws them: a closed valve reads zero in each.
const kSvajTitle = "Velocity, acceleration and jerk (exact)";
const kSvajPanels = [
  {key: "velocity", label: "velocity (mm/s)", colour: "#1f4fb4", values: (d) => d.velocity},
  {key: "acceleration", label: "acceleration (m/s²)", colour: "#d62728", values: (d) => d.acceleration},
  {key: "jerk", label: "jerk (m/s³)", colour: "#444", values: (d) => d.jerk},
];
// Design B's curves beside A's: dashed, in a colour of their own.
const kDesignBColour = "#a020c0";
export const kDesignBDash = [6, 3];
const withZero = (u, min, max) => {
  const lo = Math.min(0, finite(min) ? min : 0);
  const hi = Math.max(0, finite(max) ? max : 0);
  const pad = (hi - lo) * 0.05 || 1;
  return [lo - pad, hi + pad];
};
function drawZero(u) {
  const y = u.valToPos(0, "y", true);
  if (!finite(y)) return;
  const {left, width} = u.bbox;
  u.ctx.save();
  u.ctx.strokeStyle = "#777";
  u.ctx.lineWidth = devicePixelRatio;
  u.ctx.beginPath();
  u.ctx.moveTo(left, Math.round(y) + 0.5);
  u.ctx.lineTo(left + width, Math.round(y) + 0.5);
  u.ctx.stroke();
  u.ctx.restore();
}
function drawSvaj(d, dB) {
  kSvajPanels.forEach((panel, i) => {
    const data = dB ? aligned([{x: d.crank, y: panel.values(d)}, {x: dB.crank, y: panel.values(dB)}])
      : [Array.from(d.crank), nullIfNaN(panel.values(d))];
    const chart = Explorer.charts[panel.key];
    if (chart && chart.withB === Boolean(dB)) { chart.setData(data); return; }
    const last = i === kSvajPanels.length - 1;
    const options = {
      title: i === 0 ? kSvajTitle : undefined, height: (last ? 60 : 20) + (i === 0 ? 30 : 0) + 130, legend: {show: false},
      cursor: {sync: {key: "svaj"}},
      scales: {x: {time: false, auto: false, range: [0, 720]}, y: {range: withZero}},
      // One crank axis: its numbers and name under the lowest panel alone.
      axes: [last ? axis("crank angle (°)") : {...axis(), size: 8, values: (u, splits) => splits.map(() => "")},
             {...axis(panel.label), size: 70}],
      series: [{label: "crank (°)"}, {label: dB ? `design A ${panel.label}` : panel.label, stroke: panel.colour, width: 1.5},
               ...(dB ? [{label: `design B ${panel.label}`, stroke: kDesignBColour, width: 1.5, dash: kDesignBDash}] : [])],
      hooks: {draw: [drawZero]},
    };
    makeChart(panel.key, $(`${panel.key}-chart`), options, data, {exportKey: "svaj", exportsAfter: $("svaj-chart"), title: kSvajTitle})
      .withB = Boolean(dB);
  });
}

// The table's head: the quantity, its unit, and each design's two models.
function showTableHead(d, dB) {
  const whole = d.windowLever === d.lever && d.windowEccentric === d.eccentric;
  const windowText = `window (bar values ${d.windowLever}, ${d.windowEccentric}${whole ? "" : ", the nearest whole ones"}; map speed ${Explorer.map.speed})`;
  $("window-column").textContent = dB ? `design A ${windowText}` : windowText;
  const head = $("mode-table").tHead.rows[0];
  while (head.cells.length > 4) head.deleteCell(-1);
  head.cells[3].textContent = dB ? "design A exact model" : "exact model";
  if (dB) {
    for (const text of [`design B (${Explorer.designB.name}) window`, `design B (${Explorer.designB.name}) exact model`]) {
      head.append(Object.assign(document.createElement("th"), {scope: "col", textContent: text, className: "design-b"}));
    }
  }
}

// A value cell of the table: the number with its exact value, or a dash where there is none.
function valueCell(r, model, designB) {
  const td = document.createElement("td");
  td.className = designB ? "number design-b" : "number";
  td.dataset.model = model;
  const column = r[`${model}Column`];
  // The CSV's column names A's cells; B's carry it under a name of their own.
  if (column) td.dataset[designB ? "columnB" : "column"] = column;
  if (finite(r[model])) {
    const data = document.createElement("data");
    data.value = String(r[model]);
    data.textContent = r.whole ? r[model].toFixed(0) : shown(r[model]);
    td.append(data);
  } else {
    td.textContent = "–";
  }
  return td;
}

// The limits each design's mode crosses, in torlin-modes' words; in red where the
// motion fails below the engine speed, past which the table does not describe it.
function showFlags(d, dB) {
  const block = (detail, whose) => {
    const list = document.createElement("ul");
    list.dataset.design = whose;
    for (const flag of detail.flags) {
      const item = Object.assign(document.createElement("li"), {textContent: flag.text});
      item.dataset.flag = flag.name;
      if (flag.pastTheSpeed) {
        item.className = "past-the-speed";
        item.append(". The table's numbers past that crank angle no longer describe the motion.");
      }
      list.append(item);
    }
    if (!detail.flags.length) list.append(Object.assign(document.createElement("li"), {textContent: "no limit crossed"}));
    const head = document.createElement("p");
    head.textContent = `${dB ? `Design ${whose === "A" ? "A" : `B (${Explorer.designB.name})`}: f` : "F"}lags against the limits at ${shown(Explorer.state.rpm, 0)} rpm`;
    return [head, list];
  };
  $("mode-flags").replaceChildren(...block(d, "A"), ...(dB ? block(dB, "B") : []));
}

export function drawDetail(d, dB = null) {
  $("lever-angle").textContent = `lever turned ${shown(d.leverDeg, 2)}°`;
  $("eccentric-angle").textContent = `eccentric at ${shown(d.eccentricDeg, 2)}°`;
  showTableHead(d, dB);
  $("mode-caption").textContent = `Lever ${shown(d.lever, 2)}, eccentric ${shown(d.eccentric, 2)} at ${shown(Explorer.state.rpm, 0)} rpm`;

  const body = $("mode-table").tBodies[0];
  const rows = d.rows.map((r, k) => {
    const tr = document.createElement("tr");
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = r.label;
    const unit = document.createElement("td");
    unit.textContent = r.unit;
    tr.append(th, unit, valueCell(r, "window", false), valueCell(r, "exact", false));
    // Both designs' tables have the same rows.
    if (dB?.rows[k]) tr.append(valueCell(dB.rows[k], "window", true), valueCell(dB.rows[k], "exact", true));
    return tr;
  });
  body.replaceChildren(...rows);
  showFlags(d, dB);

  const liftData = aligned([{x: d.crank, y: d.lift}, {x: d.windowCrank, y: d.windowLift}, ...(dB ? [{x: dB.crank, y: dB.lift}] : [])]);
  const a = dB ? "design A " : "";
  const liftOptions = {
    title: "Valve lift", height: 240,
    scales: {x: {time: false, auto: false, range: [0, 720]}},
    axes: [axis("crank angle (°)"), axis("lift (mm)")],
    series: [{label: "crank (°)"}, {label: `${a}exact lift (mm)`, stroke: "#1f4fb4", width: 2, spanGaps: false},
             {label: `${a}window's lift at its frames (mm)`, stroke: "#e07000", width: 0, spanGaps: false, points: {show: true, size: 5, fill: "#e07000"}},
             ...(dB ? [{label: `design B exact lift (mm)`, stroke: kDesignBColour, width: 2, dash: kDesignBDash, spanGaps: false}] : [])],
  };
  if (Explorer.charts.lift && Explorer.charts.lift.withB === Boolean(dB)) Explorer.charts.lift.setData(liftData);
  else makeChart("lift", $("lift-chart"), liftOptions, liftData).withB = Boolean(dB);

  drawSvaj(d, dB);

  markPlane();
  markHeat();
}
