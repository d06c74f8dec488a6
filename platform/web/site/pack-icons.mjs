// Re-packs the exporter's uncompressed icon PNGs with deflate, so the site stays small: pack-icons.mjs IN OUT SIZE...
import { readFileSync, writeFileSync } from 'node:fs';
import { deflateSync, inflateSync } from 'node:zlib';

const [inDir, outDir, ...sizes] = process.argv.slice(2);

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

for (const size of sizes) {
  const png = readFileSync(`${inDir}/${size}x${size}/apps/vantrel.png`);
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
  const pixels = inflateSync(Buffer.concat(idat));
  const parts = [png.subarray(0, 8)];
  for (const [type, data] of chunks) {
    if (type === 'IEND') parts.push(chunk('IDAT', deflateSync(pixels, { level: 9 })));
    parts.push(chunk(type, data));
  }
  writeFileSync(`${outDir}/vantrel-${size}.png`, Buffer.concat(parts));
}
