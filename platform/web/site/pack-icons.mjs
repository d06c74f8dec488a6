// Re-packs the exporter's uncompressed icon PNGs with deflate, so the site stays small, and makes the maskable icon
// from the art at one exported size: pack-icons.mjs IN OUT SIZE... [--maskable ART SIZE]
import { readFileSync, writeFileSync } from 'node:fs';
import { deflateSync, inflateSync } from 'node:zlib';

const [inDir, outDir, ...args] = process.argv.slice(2);
const maskableAt = args.indexOf('--maskable');
const sizes = maskableAt < 0 ? args : args.slice(0, maskableAt);
// The exporter's PNGs: 8-bit RGB, each row filter type 0 then its pixels.
const RGB = 3;

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc32(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'latin1');
  data.copy(out, 8);
  out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}

// The chunks before and after the pixels, and the pixels as rows (filter byte included).
function readPng(file) {
  const png = readFileSync(file);
  const chunks = [];
  const idat = [];
  for (let at = 8; at < png.length; ) {
    const length = png.readUInt32BE(at);
    const type = png.toString('latin1', at + 4, at + 8);
    const data = png.subarray(at + 8, at + 8 + length);
    if (type === 'IDAT') idat.push(data);
    else chunks.push([type, data]);
    at += 12 + length;
  }
  return { signature: png.subarray(0, 8), chunks, pixels: inflateSync(Buffer.concat(idat)) };
}

function writePng(file, { signature, chunks, pixels }) {
  const parts = [signature];
  for (const [type, data] of chunks) {
    if (type === 'IEND') parts.push(chunk('IDAT', deflateSync(pixels, { level: 9 })));
    parts.push(chunk(type, data));
  }
  writeFileSync(file, Buffer.concat(parts));
}

const exported = (size) => `${inDir}/${size}x${size}/apps/vantrel.png`;

for (const size of sizes) writePng(`${outDir}/vantrel-${size}.png`, readPng(exported(size)));

// The maskable icon: the art in the middle of a larger square of its own corner colour, so that every mask (at
// least the middle circle of four fifths of the width) keeps all of it.
if (maskableAt >= 0) {
  const art = Number(args[maskableAt + 1]);
  const size = Number(args[maskableAt + 2]);
  if (!(art > 0 && (art * Math.SQRT2) / size <= 0.8)) {
    throw new Error(`--maskable ${art} ${size}: the art does not fit inside the mask's circle`);
  }
  const png = readPng(exported(art));
  const artRow = 1 + art * RGB;
  const row = 1 + size * RGB;
  const pixels = Buffer.alloc(row * size);
  for (let y = 0; y < size; y++) {
    for (let x = 0; x < size; x++) png.pixels.copy(pixels, y * row + 1 + x * RGB, 1, 1 + RGB);
  }
  const offset = (size - art) >> 1;
  for (let y = 0; y < art; y++) {
    png.pixels.copy(pixels, (y + offset) * row + 1 + offset * RGB, y * artRow + 1, (y + 1) * artRow);
  }
  const header = png.chunks.find(([type]) => type === 'IHDR')[1];
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  writePng(`${outDir}/vantrel-maskable-${size}.png`, { ...png, pixels });
}
