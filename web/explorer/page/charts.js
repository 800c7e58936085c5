// uPlot charts as the page makes them: axes, sizes, shared x values, colours.
import {addChartExports} from "./chart-exports.js";
import {finite} from "./numbers.js";
import {$, Explorer} from "./state.js";

export const kAxisFont = "12px 'Liberation Sans', Arial, sans-serif";
export function axis(label) {
  return {label, font: kAxisFont, labelFont: kAxisFont, stroke: "#222", grid: {stroke: "#e4e4e4"}, ticks: {stroke: "#bbb"}};
}
export function chartWidth(element) { return Math.max(260, Math.floor(element.clientWidth || 600)); }

// Charts follow their box's width when the layout reflows.
export const resizer = new ResizeObserver((entries) => {
  for (const entry of entries) {
    const chart = Object.values(Explorer.charts).find((c) => c && c.root.parentElement === entry.target);
    if (chart) chart.setSize({width: chartWidth(entry.target), height: chart.height});
  }
});
// A chart in the element, under its key; its exports go after exportsAfter (a chart
// of a stack exports with the stack, under the stack's key).
export function makeChart(key, element, options, data, {exportKey = key, exportsAfter = element, title = options.title} = {}) {
  Explorer.charts[key]?.destroy();
  const chart = new uPlot({width: chartWidth(element), ...options}, data, element);
  chart.exportTitle = title;
  Explorer.charts[key] = chart;
  resizer.observe(element);
  addChartExports(exportKey, exportsAfter, title);
  return chart;
}

// Merges curves with their own x values into uPlot's one shared x.
export function aligned(curves) {
  const xs = [...new Set(curves.flatMap((c) => Array.from(c.x)))].sort((a, b) => a - b);
  const index = new Map(xs.map((x, i) => [x, i]));
  const data = [xs];
  for (const c of curves) {
    const ys = new Array(xs.length).fill(null);
    for (let i = 0; i < c.x.length; ++i) if (finite(c.y[i])) ys[index.get(c.x[i])] = c.y[i];
    data.push(ys);
  }
  return data;
}

export function leverColour(lever) {
  const f = Explorer.facts.lever;
  const t = (lever - f.min) / (f.max - f.min);
  return `hsl(${110 - 60 * t}, 70%, ${18 + 52 * t}%)`;
}
// Design B's points in the lift-duration plane: purple to pink, apart from A's greens.
export function leverColourB(lever) {
  const f = Explorer.facts.lever;
  const t = (lever - f.min) / (f.max - f.min);
  return `hsl(${275 + 45 * t}, 75%, ${30 + 35 * t}%)`;
}
