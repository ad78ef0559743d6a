// A rectangle cut out of a PNG picture, for the engines whose driver takes
// pictures of the whole viewport only, and the pixels of a picture. Reads
// 8-bit greyscale, RGB and RGBA pictures without interlacing, as browsers
// write them.
import { deflateSync, inflateSync } from 'node:zlib';

const signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const channelsOf = { 0: 1, 2: 3, 4: 2, 6: 4 };

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'ascii');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, crc]);
}

function crc32(bytes) {
  let crc = ~0;
  for (const byte of bytes) {
    crc ^= byte;
    for (let k = 0; k < 8; ++k) crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
  }
  return ~crc >>> 0;
}

// The rows of a picture, unfiltered: { width, height, channels, header, rows }.
export function decodePng(picture) {
  let header;
  const data = [];
  for (let at = signature.length; at < picture.length; ) {
    const length = picture.readUInt32BE(at);
    const type = picture.toString('ascii', at + 4, at + 8);
    const body = picture.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') header = body;
    if (type === 'IDAT') data.push(body);
    at += 12 + length;
  }
  const [fullWidth, fullHeight] = [header.readUInt32BE(0), header.readUInt32BE(4)];
  const channels = channelsOf[header[9]];
  if (header[8] !== 8 || !channels || header[12] !== 0) throw new Error('an 8-bit PNG without interlacing is needed');
  // Undoes each row's filter: none, sub, up, average, Paeth.
  const raw = inflateSync(Buffer.concat(data));
  const stride = fullWidth * channels;
  const rows = [];
  for (let row = 0; row < fullHeight; ++row) {
    const filter = raw[row * (stride + 1)];
    const line = Buffer.from(raw.subarray(row * (stride + 1) + 1, (row + 1) * (stride + 1)));
    const above = rows[row - 1] ?? Buffer.alloc(stride);
    for (let i = 0; i < stride; ++i) {
      const [a, b, c] = [i >= channels ? line[i - channels] : 0, above[i], i >= channels ? above[i - channels] : 0];
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      line[i] = (line[i] + [0, a, b, (a + b) >> 1, paeth][filter]) & 0xff;
    }
    rows.push(line);
  }
  return { width: fullWidth, height: fullHeight, channels, header, rows };
}

export function cropPng(picture, { x, y, width, height }) {
  const { width: fullWidth, height: fullHeight, channels, header, rows } = decodePng(picture);
  const [left, top] = [Math.max(0, Math.floor(x)), Math.max(0, Math.floor(y))];
  const right = Math.min(fullWidth, Math.ceil(x + width));
  const bottom = Math.min(fullHeight, Math.ceil(y + height));
  const cut = rows
    .slice(top, bottom)
    .map((line) => Buffer.concat([Buffer.alloc(1), line.subarray(left * channels, right * channels)]));
  const newHeader = Buffer.from(header);
  newHeader.writeUInt32BE(right - left, 0);
  newHeader.writeUInt32BE(bottom - top, 4);
  return Buffer.concat([
    signature,
    chunk('IHDR', newHeader),
    chunk('IDAT', deflateSync(Buffer.concat(cut))),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}
