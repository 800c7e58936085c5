// Each chart's PNG and SVG exports. A picture carries what the screen shows around
// the chart: its title, what it was computed for (mode, engine speed, map), its
// legend and its colour scale. Charts stacked on one crank axis export as one.
import {download} from "./csv-exports.js";
import {finite, shown} from "./numbers.js";
import {Explorer} from "./state.js";

// The charts an export stacks, top first, by the export's key.
const kStacks = {svaj: ["velocity", "acceleration", "jerk"]};
const chartsOf = (key) => (kStacks[key] ?? [key]).map((k) => Explorer.charts[k]).filter(Boolean);

const kFont = "Liberation Sans, Arial, sans-serif";
const kHeader = 46;      // title and context line above the charts
const kLegendLine = 18;
const kScaleHeight = 40;  // the colour scale's bar and its labels

// What the picture was computed for.
function contextLine() {
  const s = Explorer.state;
  const m = Explorer.map;
  return `chosen mode: lever ${shown(s.lever, 2)}, eccentric ${shown(s.eccentric, 2)} at ${shown(s.rpm, 0)} rpm; ` +
    `map of ${m.steps} × ${m.steps} modes at speed ${m.speed} (cam degrees per frame × 100)`;
}

const seriesColour = (chart, s, i) =>
  typeof s._stroke === "string" ? s._stroke : (typeof s.stroke === "function" ? s.stroke(chart, i) : s.stroke);

// The legend's entries: every series shown with a name and a colour of its own.
function legendOf(charts) {
  const entries = [];
  for (const chart of charts) {
    chart.series.forEach((s, i) => {
      const colour = seriesColour(chart, s, i);
      if (i > 0 && s.show && s.label && typeof colour === "string" && colour !== "transparent") entries.push({colour, label: s.label});
    });
  }
  return entries;
}

// Where everything of a picture goes, in CSS pixels.
function layoutOf(key) {
  const charts = chartsOf(key);
  const width = Math.max(...charts.map((c) => c.width));
  let y = kHeader;
  const placed = charts.map((chart) => { const at = y; y += chart.height; return {chart, top: at}; });
  const legend = legendOf(charts);
  const legendTop = y + 6;
  y = legendTop + legend.length * kLegendLine;
  const scale = charts.find((c) => c.colourScale)?.colourScale ?? null;
  const scaleTop = y + 4;
  if (scale) y = scaleTop + kScaleHeight;
  return {charts: placed, width, height: y + 6, title: charts[0]?.exportTitle ?? "", legend, legendTop, scale, scaleTop};
}

const kStops = 24;  // samples of a colour scale drawn as a gradient

export function chartPng(key) {
  const layout = layoutOf(key);
  const r = devicePixelRatio;
  const out = document.createElement("canvas");
  out.width = Math.round(layout.width * r);
  out.height = Math.round(layout.height * r);
  const ctx = out.getContext("2d");
  ctx.scale(r, r);
  ctx.fillStyle = "#fff";
  ctx.fillRect(0, 0, layout.width, layout.height);
  ctx.fillStyle = "#000";
  ctx.font = `bold 14px ${kFont}`;
  ctx.fillText(layout.title, 10, 18);
  ctx.font = `12px ${kFont}`;
  ctx.fillText(contextLine(), 10, 36);
  for (const {chart, top} of layout.charts) ctx.drawImage(chart.ctx.canvas, 0, top, chart.width, chart.height);
  layout.legend.forEach(({colour, label}, k) => {
    const y = layout.legendTop + k * kLegendLine;
    ctx.fillStyle = colour;
    ctx.fillRect(10, y + 3, 16, 10);
    ctx.fillStyle = "#000";
    ctx.fillText(label, 32, y + 12);
  });
  if (layout.scale) {
    const {title, colour, lowText, highText} = layout.scale;
    const y = layout.scaleTop;
    const barWidth = layout.width - 20;
    const gradient = ctx.createLinearGradient(10, 0, 10 + barWidth, 0);
    for (let k = 0; k <= kStops; ++k) gradient.addColorStop(k / kStops, colour(k / kStops));
    ctx.fillStyle = "#000";
    ctx.fillText(title, 10, y + 10);
    ctx.fillStyle = gradient;
    ctx.fillRect(10, y + 14, barWidth, 12);
    ctx.fillStyle = "#000";
    ctx.fillText(lowText, 10, y + 38);
    ctx.textAlign = "right";
    ctx.fillText(highText, 10 + barWidth, y + 38);
  }
  return out.toDataURL("image/png");
}

export const escapeXml = (text) => String(text).replace(/[<>&"]/g, (c) => ({"<": "&lt;", ">": "&gt;", "&": "&amp;", "\"": "&quot;"})[c]);
// A coordinate as the SVG writes it; null where there is none (a chart whose series
// are all hidden has no y scale), so that nothing is drawn there.
const at = (v) => (finite(v) ? v.toFixed(1) : null);

// One chart as vector drawing, its top at y: a heat map's cells as one picture (no
// seams between them), the plane's points, the plot's frame, the axes with uPlot's
// own ticks, then every series shown as a polyline or as dots.
function chartSvgParts(chart, y) {
  const r = devicePixelRatio;
  const b = chart.bbox;
  const left = b.left / r, top = b.top / r + y, width = b.width / r, height = b.height / r;
  const xPos = (v) => chart.valToPos(v, "x") + left;
  const yPos = (v, scale = "y") => chart.valToPos(v, scale) + top;
  const parts = [];
  if (chart.heat?.picture) {
    parts.push(`<image x="${left}" y="${top}" width="${width}" height="${height}" preserveAspectRatio="none" ` +
               `style="image-rendering:pixelated" href="${chart.heat.picture.toDataURL("image/png")}"/>`);
  }
  for (const {xs, ys, colour, size} of chart.dots?.() ?? []) {
    for (let k = 0; k < xs.length; ++k) {
      const cx = at(xPos(xs[k])), cy = at(yPos(ys[k]));
      if (cx !== null && cy !== null) parts.push(`<circle cx="${cx}" cy="${cy}" r="${size / 2}" fill="${colour}"/>`);
    }
  }
  parts.push(`<rect x="${left}" y="${top}" width="${width}" height="${height}" fill="none" stroke="#888"/>`);
  chart.axes.forEach((a, i) => {
    if (!a.show) return;
    const scale = a.scale ?? (i === 0 ? "x" : "y");
    (a._splits ?? []).forEach((v, k) => {
      const label = escapeXml(a._values?.[k] ?? "");
      if (i === 0) {
        const x = at(xPos(v));
        if (x !== null) parts.push(`<text x="${x}" y="${top + height + 16}" text-anchor="middle">${label}</text>`);
        return;
      }
      const ty = at(yPos(v, scale) + 4);
      const x = a.side === 1 ? left + width + 4 : left - 4;
      if (ty !== null) parts.push(`<text x="${x}" y="${ty}" text-anchor="${a.side === 1 ? "start" : "end"}">${label}</text>`);
    });
    const label = escapeXml(a.label ?? "");
    if (!label) return;
    if (i === 0) parts.push(`<text x="${left + width / 2}" y="${top + height + 34}" text-anchor="middle">${label}</text>`);
    else parts.push(`<text transform="translate(${a.side === 1 ? chart.width - 6 : 14},${top + height / 2}) rotate(-90)" text-anchor="middle">${label}</text>`);
  });
  chart.series.forEach((s, i) => {
    if (i === 0 || !s.show) return;
    const facet = chart.mode === 2;
    const xs = facet ? chart.data[i][0] : chart.data[0];
    const ys = facet ? chart.data[i][1] : chart.data[i];
    if (!xs || !ys) return;
    const colour = seriesColour(chart, s, i) ?? "#000";
    const dots = facet || s.width === 0;
    const pieces = [[]];
    for (let k = 0; k < xs.length; ++k) {
      const x = at(xPos(xs[k])), py = at(yPos(ys[k], s.scale ?? "y"));
      if (!finite(xs[k]) || !finite(ys[k]) || x === null || py === null) { pieces.push([]); continue; }
      if (dots) parts.push(`<circle cx="${x}" cy="${py}" r="${facet ? (s.points?.size ?? 3) / 2 : 2}" fill="${colour}"/>`);
      else pieces.at(-1).push(`${x},${py}`);
    }
    for (const piece of pieces.filter((p) => p.length)) {
      parts.push(`<path d="M${piece.join("L")}" fill="none" stroke="${colour}" stroke-width="${s.width ?? 1}"/>`);
    }
  });
  return parts;
}

export function chartSvg(key) {
  const layout = layoutOf(key);
  const {width: w, height: h} = layout;
  const parts = [`<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h}" viewBox="0 0 ${w} ${h}" font-family="${kFont}" font-size="12">`,
                 `<title>${escapeXml(layout.title)}</title>`,
                 `<rect x="0" y="0" width="${w}" height="${h}" fill="#fff"/>`,
                 `<text x="10" y="18" font-size="14" font-weight="bold">${escapeXml(layout.title)}</text>`,
                 `<text x="10" y="36">${escapeXml(contextLine())}</text>`];
  for (const {chart, top} of layout.charts) parts.push(...chartSvgParts(chart, top));
  layout.legend.forEach(({colour, label}, k) => {
    const y = layout.legendTop + k * kLegendLine;
    parts.push(`<rect x="10" y="${y + 3}" width="16" height="10" fill="${colour}"/>`,
               `<text x="32" y="${y + 12}">${escapeXml(label)}</text>`);
  });
  if (layout.scale) {
    const {title, colour, lowText, highText} = layout.scale;
    const y = layout.scaleTop;
    const stops = Array.from({length: kStops + 1}, (_, k) => `<stop offset="${k / kStops}" stop-color="${colour(k / kStops)}"/>`);
    parts.push(`<defs><linearGradient id="scale">${stops.join("")}</linearGradient></defs>`,
               `<text x="10" y="${y + 10}">${escapeXml(title)}</text>`,
               `<rect x="10" y="${y + 14}" width="${w - 20}" height="12" fill="url(#scale)"/>`,
               `<text x="10" y="${y + 38}">${escapeXml(lowText)}</text>`,
               `<text x="${w - 10}" y="${y + 38}" text-anchor="end">${escapeXml(highText)}</text>`);
  }
  parts.push("</svg>");
  return parts.join("\n");
}

// The export buttons after the element (once), named for a screen reader by the
// chart's title of the moment.
export function addChartExports(key, element, title) {
  let bar = element.nextElementSibling;
  if (!bar?.classList.contains("chart-exports")) {
    bar = document.createElement("p");
    bar.className = "chart-exports";
    const make = (text, run) => {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = text;
      button.dataset.format = text;
      button.addEventListener("click", run);
      return button;
    };
    bar.append(make("PNG", () => download(`torlin-${key}.png`, "image/png", dataUrlBytes(chartPng(key)))),
               make("SVG", () => download(`torlin-${key}.svg`, "image/svg+xml", chartSvg(key))));
    element.after(bar);
  }
  for (const button of bar.children) button.setAttribute("aria-label", `${button.dataset.format} picture of the chart “${title}”`);
}

export function dataUrlBytes(url) {
  return Uint8Array.from(atob(url.split(",")[1]), (c) => c.charCodeAt(0));
}
