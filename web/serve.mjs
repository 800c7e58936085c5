// A static file server for the built page, on the loopback address only.
// Usage: node web/serve.mjs DIRECTORY [PORT]
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { pathToFileURL } from "node:url";

const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".ttf": "font/ttf",
  ".woff2": "font/woff2",
  ".png": "image/png",
  ".svg": "image/svg+xml",
};

// Serves the files under root; resolves with the server once it listens.
export function serve(root, port, host = "127.0.0.1") {
  const base = resolve(root);
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    } catch {
      response.writeHead(400, {"Content-Type": "text/plain"}).end("bad request\n");
      return;
    }
    const file = normalize(join(base, path.endsWith("/") ? path + "index.html" : path));
    // Nothing outside the served folder, whatever the path says.
    if (path.includes("\0") || (file !== base && !file.startsWith(base + sep))) {
      response.writeHead(403, {"Content-Type": "text/plain"}).end("forbidden\n");
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {
        "Content-Type": kTypes[extname(file)] ?? "application/octet-stream",
        "Cache-Control": "no-cache",
      });
      response.end(body);
    } catch {
      response.writeHead(404, {"Content-Type": "text/plain"}).end("not found\n");
    }
  });
  return new Promise((done, fail) => {
    server.once("error", fail);
    server.listen(port, host, () => done(server));
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [root, portText = "8960"] = process.argv.slice(2);
  const port = Number(portText);
  try {
    const server = await serve(root, port);
    console.log(`Torlin in the browser: http://127.0.0.1:${server.address().port}/  (Ctrl+C stops)`);
  } catch (error) {
    console.error(`torlin web: cannot serve on port ${port}: ${error.message}`);
    process.exit(1);
  }
}
