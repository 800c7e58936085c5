// Each chart's PNG and SVG exports.
import {download} from "./csv-exports.js";
import {colourValue, heatColour} from "./heat.js";
import {finite} from "./numbers.js";
import {$, Explorer, kStride} from "./state.js";

export function chartPng(chart) {
  const canvas = chart.ctx.canvas;
  const out = document.createElement("canvas");
  out.width = canvas.width;
  out.height = canvas.height + 30 * devicePixelRatio;
  const ctx = out.getContext("2d");
  ctx.fillStyle = "#fff";
  ctx.fillRect(0, 0, out.width, out.height);
  ctx.fillStyle = "#000";
  ctx.font = `${14 * devicePixelRatio}px 'Liberation Sans', Arial, sans-serif`;
  ctx.fillText(chart.title ?? "", 10 * devicePixelRatio, 20 * devicePixelRatio);
  ctx.drawImage(canvas, 0, 30 * devicePixelRatio);
  return out.toDataURL("image/png");
}

export const escapeXml = (text) => String(text).replace(/[<>&"]/g, (c) => ({"<": "&lt;", ">": "&gt;", "&": "&amp;", "\"": "&quot;"})[c]);

// The chart as vector drawing: its axes with uPlot's own ticks, then every series
// as a polyline or as dots, and a heat map's cells.
export function chartSvg(chart) {
  const w = chart.width;
  const h = chart.height;
  const b = chart.bbox;
  const r = devicePixelRatio;
  const left = b.left / r, top = b.top / r, width = b.width / r, height = b.height / r;
  const xPos = (v) => chart.valToPos(v, "x") + left;
  const parts = [`<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h + 30}" viewBox="0 -30 ${w} ${h + 30}" font-family="Liberation Sans, Arial, sans-serif" font-size="12">`,
                 `<rect x="0" y="-30" width="${w}" height="${h + 30}" fill="#fff"/>`,
                 `<text x="10" y="-10" font-size="14">${escapeXml(chart.title ?? "")}</text>`];
  if (chart.heat) {
    const {quantity, lo, hi, rows, total, cellW, cellH} = chart.heat;
    for (let i = 0; i < total; ++i) {
      const v = colourValue(quantity, rows[i * kStride + quantity.index]);
      const x0 = xPos(rows[i * kStride + 1] - cellW / 2), x1 = xPos(rows[i * kStride + 1] + cellW / 2);
      const y0 = chart.valToPos(rows[i * kStride] + cellH / 2, "y") + top, y1 = chart.valToPos(rows[i * kStride] - cellH / 2, "y") + top;
      parts.push(`<rect x="${x0.toFixed(1)}" y="${y0.toFixed(1)}" width="${(x1 - x0 + 0.5).toFixed(1)}" height="${(y1 - y0 + 0.5).toFixed(1)}" fill="${finite(v) ? heatColour((v - lo) / (hi - lo || 1)) : "#ddd"}"/>`);
    }
  }
  for (const {xs, ys, colour, size} of chart.dots?.() ?? []) {
    for (let k = 0; k < xs.length; ++k) {
      parts.push(`<circle cx="${xPos(xs[k]).toFixed(1)}" cy="${(chart.valToPos(ys[k], "y") + top).toFixed(1)}" r="${size / 2}" fill="${colour}"/>`);
    }
  }
  parts.push(`<rect x="${left}" y="${top}" width="${width}" height="${height}" fill="none" stroke="#888"/>`);
  chart.axes.forEach((a, i) => {
    if (!a.show || !a._splits) return;
    const scale = a.scale ?? (i === 0 ? "x" : "y");
    a._splits.forEach((v, k) => {
      const label = a._values?.[k] ?? "";
      if (i === 0) parts.push(`<text x="${xPos(v).toFixed(1)}" y="${top + height + 16}" text-anchor="middle">${escapeXml(label)}</text>`);
      else {
        const y = chart.valToPos(v, scale) + top;
        const x = a.side === 1 ? left + width + 4 : left - 4;
        parts.push(`<text x="${x}" y="${(y + 4).toFixed(1)}" text-anchor="${a.side === 1 ? "start" : "end"}">${escapeXml(label)}</text>`);
      }
    });
    const label = escapeXml(a.label ?? "");
    if (i === 0) parts.push(`<text x="${left + width / 2}" y="${top + height + 34}" text-anchor="middle">${label}</text>`);
    else {
      const x = a.side === 1 ? w - 6 : 14;
      parts.push(`<text transform="translate(${x},${top + height / 2}) rotate(-90)" text-anchor="middle">${label}</text>`);
    }
  });
  chart.series.forEach((s, i) => {
    if (i === 0 || !s.show) return;
    const facet = chart.mode === 2;
    const xs = facet ? chart.data[i][0] : chart.data[0];
    const ys = facet ? chart.data[i][1] : chart.data[i];
    if (!xs || !ys) return;
    const colour = typeof s._stroke === "string" ? s._stroke : (typeof s.stroke === "function" ? s.stroke(chart, i) : "#000");
    const dots = facet || s.width === 0;
    let path = "";
    for (let k = 0; k < xs.length; ++k) {
      if (!finite(xs[k]) || !finite(ys[k])) { path += " "; continue; }
      const x = xPos(xs[k]), y = chart.valToPos(ys[k], s.scale ?? "y") + top;
      if (dots) parts.push(`<circle cx="${x.toFixed(1)}" cy="${y.toFixed(1)}" r="${facet ? (s.points?.size ?? 3) / 2 : 2}" fill="${colour}"/>`);
      else path += `${path.endsWith(" ") || path === "" ? "M" : "L"}${x.toFixed(1)},${y.toFixed(1)}`;
    }
    if (!dots) for (const piece of path.split(" ").filter(Boolean)) parts.push(`<path d="${piece}" fill="none" stroke="${colour}" stroke-width="${s.width ?? 1}"/>`);
  });
  parts.push("</svg>");
  return parts.join("\n");
}

export function addChartExports(key, element, title) {
  if (element.nextElementSibling?.classList.contains("chart-exports")) return;
  const bar = document.createElement("p");
  bar.className = "chart-exports";
  const make = (text, run) => {
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = text;
    button.setAttribute("aria-label", `${text} of the chart “${title}”`);
    button.addEventListener("click", run);
    return button;
  };
  bar.append(make("PNG", () => { const c = Explorer.charts[key]; download(`torlin-${key}.png`, "image/png", dataUrlBytes(chartPng(c))); }),
             make("SVG", () => download(`torlin-${key}.svg`, "image/svg+xml", chartSvg(Explorer.charts[key]))));
  element.after(bar);
}

export function dataUrlBytes(url) {
  return Uint8Array.from(atob(url.split(",")[1]), (c) => c.charCodeAt(0));
}
