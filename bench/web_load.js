// First visit of the web page: what the server sends, counted in its log (each file raw and
// gzipped at level 9), until the service worker has kept the whole page; then the time from
// navigation to the first drawn board, over several loads on 127.0.0.1 in headless Chromium,
// each in a fresh profile with the HTTP cache off, so nothing comes from a cache or the
// service worker. Prints every load and the median. A benchmark, not a test.
//     NODE_PATH=build/web/npm/node_modules node bench/web_load.js build/web/web/site [runs]
// (scripts/test-web.sh installs puppeteer-core there.)
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const {serveSite, sentFiles} = require('../tests/web/static_server.js');

const [folder, runs = '10'] = process.argv.slice(2);
if (!folder)
    throw new Error('usage: node bench/web_load.js SITE_FOLDER [runs]');

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const kb = (bytes) => (bytes / 1024).toFixed(1) + ' KB';

// A fresh profile opens the page and waits until the service worker has kept every file.
async function firstVisit(browser, site) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const from = site.requests.length;
    await page.goto(site.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await context.close();
    return sentFiles(site, from);
}

async function loadOnce(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setCacheEnabled(false);
    await page.goto(url);
    const drawn = await page.waitForFunction(() => performance.getEntriesByName('first-board')[0]?.startTime);
    const milliseconds = await drawn.jsonValue();
    await context.close();
    return milliseconds;
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
        let raw = 0;
        let gzipped = 0;
        let sent = 0;
        const files = await firstVisit(browser, site);
        for (const [name, times] of [...files].sort()) {
            const bytes = fs.readFileSync(path.join(folder, name));
            const packed = zlib.gzipSync(bytes, {level: 9}).length;
            raw += times * bytes.length;
            gzipped += times * packed;
            sent += times;
            console.log(`  ${name.padEnd(22)} ${times}x ${String(bytes.length).padStart(8)} ${String(packed).padStart(8)}`);
        }
        console.log(`first visit, counted on the server: ${sent} files sent (${files.size} different), ` +
            `${kb(raw)} raw, ${kb(gzipped)} gzipped (target 200 KB)`);

        const times = [];
        for (let run = 1; run <= Number(runs); ++run) {
            times.push(await loadOnce(browser, site.url));
            console.log(`load ${run}: first board drawn ${times.at(-1).toFixed(1)} ms after navigation`);
        }
        console.log(`median of ${times.length}: ${median(times).toFixed(1)} ms (target 150 ms)`);
    } finally {
        await browser.close();
        site.stop();
        fs.rmSync(home, {recursive: true, force: true});
    }
})();
