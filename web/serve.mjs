// A static file server for the built page, on the loopback address only.
// Usage: node web/serve.mjs DIRECTORY [PORT]
import { constants } from "node:fs";
import { createServer } from "node:http";
import { open, realpath, stat } from "node:fs/promises";
import { extname, join, normalize, resolve, sep } from "node:path";
import { pipeline } from "node:stream/promises";
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

const inside = (folder, file) => file === folder || file.startsWith(folder + sep);

function refuse(response, status, text, headers = {}) {
  response.writeHead(status, {"Content-Type": "text/plain", ...headers}).end(`${text}\n`);
}

// A file opened for reading: a regular file, or null. Opened without waiting, so that
// a named pipe in the folder cannot hold a thread of the pool until a writer comes;
// what was opened is checked, not what the name pointed to a moment before.
async function openRegular(file) {
  const handle = await open(file, constants.O_RDONLY | constants.O_NONBLOCK).catch(() => null);
  if (!handle) return null;
  const info = await handle.stat().catch(() => null);
  if (info?.isFile()) return {handle, size: info.size};
  await handle.close();
  return info?.isDirectory() ? "folder" : null;
}

const kHeaders = {
  "Cache-Control": "no-cache",
  // Isolated from other origins (the pages load nothing from them), the pages'
  // clock reads to microseconds rather than to a tenth of a millisecond, which
  // the frame timings need.
  "Cross-Origin-Opener-Policy": "same-origin",
  "Cross-Origin-Embedder-Policy": "require-corp",
};

// Serves the files under root; resolves with the server once it listens. Only
// reading is allowed (GET, HEAD), and only regular files that really lie in the
// folder: a symbolic link that leads out of it is refused like a path that does;
// names beginning with a dot, pipes, devices and sockets are not there. A folder's
// address without its final slash is sent to the one with it. A request must be
// whole within requestTimeoutMs, so a body that trickles in cannot hold the server.
export async function serve(root, port, host = "127.0.0.1", {requestTimeoutMs = 30000} = {}) {
  const base = await realpath(resolve(root));
  const server = createServer({
    requestTimeout: requestTimeoutMs,
    headersTimeout: requestTimeoutMs,
    connectionsCheckingInterval: Math.min(1000, requestTimeoutMs / 4),
  }, async (request, response) => {
    if (request.method !== "GET" && request.method !== "HEAD") {
      refuse(response, 405, "method not allowed", {Allow: "GET, HEAD"});
      return;
    }
    let address;
    let path;
    try {
      address = new URL(request.url, "http://localhost");
      path = decodeURIComponent(address.pathname);
    } catch {
      refuse(response, 400, "bad request");
      return;
    }
    const file = normalize(join(base, path.endsWith("/") ? path + "index.html" : path));
    // Nothing outside the served folder, whatever the path says.
    if (path.includes("\0") || !inside(base, file)) {
      refuse(response, 403, "forbidden");
      return;
    }
    if (file.slice(base.length).split(sep).some((name) => name.startsWith("."))) {
      refuse(response, 404, "not found");
      return;
    }
    let opened;
    try {
      if (!inside(base, await realpath(file))) {
        refuse(response, 403, "forbidden");
        return;
      }
      opened = await openRegular(file);
    } catch {
      opened = null;
    }
    if (opened === "folder" && !path.endsWith("/")) {
      refuse(response, 301, "moved", {Location: `${address.pathname}/${address.search}`});
      return;
    }
    if (!opened || opened === "folder") {
      refuse(response, 404, "not found");
      return;
    }
    const {handle, size} = opened;
    response.writeHead(200, {
      "Content-Type": kTypes[extname(file)] ?? "application/octet-stream",
      "Content-Length": size,
      ...kHeaders,
    });
    if (request.method === "HEAD") {
      await handle.close();
      response.end();
      return;
    }
    // A reader that goes away ends the stream, which closes the file.
    await pipeline(handle.createReadStream(), response).catch(() => {});
  });
  // A CONNECT request asks for a tunnel, which Node hands over apart: refused too.
  server.on("connect", (request, socket) => {
    socket.end("HTTP/1.1 405 Method Not Allowed\r\nAllow: GET, HEAD\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  });
  return new Promise((done, fail) => {
    server.once("error", fail);
    server.listen(port, host, () => done(server));
  });
}

// The command line: one line and status 2 for a mistake, 1 when the port cannot
// be had.
async function main(args) {
  const usage = "usage: node web/serve.mjs DIRECTORY [PORT]";
  if (args.length < 1 || args.length > 2) {
    console.error(`torlin web: ${args.length < 1 ? "no folder to serve given" : "too many arguments"}; ${usage}`);
    return 2;
  }
  const [root, portText = "8960"] = args;
  const folder = await stat(root).catch((error) => error);
  if (folder instanceof Error || !folder.isDirectory()) {
    const why = folder instanceof Error ? (folder.code === "ENOENT" ? "no such folder" : folder.message) : "not a folder";
    console.error(`torlin web: cannot serve ${JSON.stringify(root)}: ${why}`);
    return 2;
  }
  const port = Number(portText);
  if (!/^[0-9]+$/.test(portText) || port > 65535) {
    console.error(`torlin web: the port must be a whole number from 0 to 65535, not ${JSON.stringify(portText)}`);
    return 2;
  }
  try {
    const server = await serve(root, port);
    console.log(`Torlin in the browser: http://127.0.0.1:${server.address().port}/  (Ctrl+C stops)`);
    return null;
  } catch (error) {
    console.error(`torlin web: cannot serve on port ${port}: ${error.message}`);
    return 1;
  }
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const status = await main(process.argv.slice(2));
  if (status !== null) process.exit(status);
}
