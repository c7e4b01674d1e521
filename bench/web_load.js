// First load of the web page: what it downloads (each file raw and gzipped at level 9) and the
// time from navigation to the first drawn board, over several loads on 127.0.0.1 in headless
// Chromium, each in a fresh profile with the HTTP cache off, so nothing comes from a cache or
// the service worker. Prints every load and the median. A benchmark, not a test.
//     NODE_PATH=build/web/npm/node_modules node bench/web_load.js build/web/web/site [runs]
// (scripts/test-web.sh installs puppeteer-core there.)
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const {serveSite} = require('../tests/web/static_server.js');

const [folder, runs = '10'] = process.argv.slice(2);
if (!folder)
    throw new Error('usage: node bench/web_load.js SITE_FOLDER [runs]');

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const kb = (bytes) => (bytes / 1024).toFixed(1) + ' KB';

async function loadOnce(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    const fetched = [];
    page.on('requestfinished', (request) => fetched.push(new URL(request.url()).pathname));
    await page.goto(url);
    const drawn = await page.waitForFunction(() => performance.getEntriesByName('first-board')[0]?.startTime);
    const milliseconds = await drawn.jsonValue();
    // What the page itself fetched; the service worker's own copies come after.
    const files = [...new Set(fetched.map((name) => (name === '/' ? 'index.html' : name.slice(1))))];
    await context.close();
    return {milliseconds, files};
}

(async () => {
    const site = await serveSite(folder);
    const home = fs.mkdtempSync(path.join(require('os').tmpdir(), 'web-load-'));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu'],
        userDataDir: path.join(home, 'profile'),
        env: {...process.env, HOME: home, XDG_CONFIG_HOME: home, XDG_CACHE_HOME: home},
    });
    try {
        const times = [];
        let files = [];
        for (let run = 1; run <= Number(runs); ++run) {
            const load = await loadOnce(browser, site.url);
            times.push(load.milliseconds);
            files = load.files;
            console.log(`load ${run}: first board drawn ${load.milliseconds.toFixed(1)} ms after navigation`);
        }
        console.log(`median of ${times.length}: ${median(times).toFixed(1)} ms (target 150 ms)`);

        let raw = 0;
        let gzipped = 0;
        for (const name of files.sort()) {
            const bytes = fs.readFileSync(path.join(folder, name));
            const packed = zlib.gzipSync(bytes, {level: 9}).length;
            raw += bytes.length;
            gzipped += packed;
            console.log(`  ${name.padEnd(22)} ${String(bytes.length).padStart(8)} ${String(packed).padStart(8)}`);
        }
        console.log(`first load: ${files.length} files, ${kb(raw)} raw, ${kb(gzipped)} gzipped (target 200 KB)`);
        const all = fs.readdirSync(folder).reduce((sum, name) => sum + fs.statSync(path.join(folder, name)).size, 0);
        console.log(`the service worker then keeps the whole folder: ${kb(all)} raw`);
    } finally {
        await browser.close();
        site.stop();
        fs.rmSync(home, {recursive: true, force: true});
    }
})();
