// The same Runtime.evaluate round trip as bench_reader_cdp measures through
// CDPClient, here through chrome-remote-interface and puppeteer-core against
// the same page. Prints one JSON object: per client and expression, the p50
// and p99 in microseconds.
//
//   node cdp-roundtrip.js --port N --target ID --url URL --iterations N --warmup N EXPRESSION_FILE...
'use strict';

const fs = require('fs');
const CDP = require('chrome-remote-interface');
const puppeteer = require('puppeteer-core');

function parseArguments(argv) {
  const options = { iterations: 2000, warmup: 200, files: [] };
  for (let i = 0; i < argv.length; i++) {
    const arg = argv[i];
    if (arg === '--port') options.port = Number(argv[++i]);
    else if (arg === '--target') options.target = argv[++i];
    else if (arg === '--url') options.url = argv[++i];
    else if (arg === '--iterations') options.iterations = Number(argv[++i]);
    else if (arg === '--warmup') options.warmup = Number(argv[++i]);
    else options.files.push(arg);
  }
  return options;
}

function percentile(sorted, p) {
  return sorted[Math.min(sorted.length - 1, Math.floor(p * (sorted.length - 1) + 0.5))];
}

async function measure(send, iterations, warmup) {
  for (let i = 0; i < warmup; i++) await send();
  const samples = new Array(iterations);
  for (let i = 0; i < iterations; i++) {
    const start = process.hrtime.bigint();
    const reply = await send();
    samples[i] = Number(process.hrtime.bigint() - start) / 1000;
    if (reply.exceptionDetails) throw new Error('evaluation threw: ' + JSON.stringify(reply.exceptionDetails));
  }
  samples.sort((a, b) => a - b);
  return { p50_us: percentile(samples, 0.5), p99_us: percentile(samples, 0.99), n: iterations };
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const expressions = options.files.map((file) => fs.readFileSync(file, 'utf8'));
  const params = (expression) => ({ expression, returnByValue: true, awaitPromise: true });
  const results = { 'chrome-remote-interface': [], 'puppeteer-core': [] };

  const cri = await CDP({ host: '127.0.0.1', port: options.port, target: options.target });
  for (const expression of expressions)
    results['chrome-remote-interface'].push(
      await measure(() => cri.Runtime.evaluate(params(expression)), options.iterations, options.warmup));
  await cri.close();

  const browser = await puppeteer.connect({ browserURL: `http://127.0.0.1:${options.port}`, defaultViewport: null });
  const page = (await browser.pages()).find((p) => p.url() === options.url);
  if (!page) throw new Error('page not found: ' + options.url);
  const session = await page.createCDPSession();
  for (const expression of expressions)
    results['puppeteer-core'].push(
      await measure(() => session.send('Runtime.evaluate', params(expression)), options.iterations, options.warmup));
  await session.detach();
  await browser.disconnect();

  process.stdout.write(JSON.stringify(results) + '\n');
}

main().catch((error) => {
  process.stderr.write(String(error && error.stack ? error.stack : error) + '\n');
  process.exit(1);
});
