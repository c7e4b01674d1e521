// Serves a folder on 127.0.0.1 with python3's http.server, as scripts/run-web.sh does, for the
// page test and the load benchmark; on a free port, or again on the port of an earlier server
// (the page's service worker belongs to that address). Keeps the server's log of requests.
'use strict';
const {spawn} = require('child_process');
const readline = require('readline');

function serveSite(folder, port = 0) {
    const server = spawn('python3', ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1',
        '--directory', folder], {stdio: ['ignore', 'pipe', 'pipe']});
    // One line a request: 127.0.0.1 - - [date] "GET /app.js HTTP/1.1" 200 -
    const requests = [];
    readline.createInterface({input: server.stderr}).on('line', (line) => {
        const request = /"GET (\S+) HTTP\/[\d.]+" (\d+)/.exec(line);
        if (request)
            requests.push({path: decodeURIComponent(request[1].split('?')[0]), status: Number(request[2])});
    });
    return new Promise((resolve, reject) => {
        let said = '';
        server.stdout.on('data', (chunk) => {
            said += chunk;
            const found = /port (\d+)/.exec(said);
            if (found)
                resolve({url: `http://127.0.0.1:${found[1]}/`, port: Number(found[1]), requests,
                    stop: () => new Promise((stopped) => server.once('exit', stopped).kill())});
        });
        server.on('exit', (code) => reject(new Error(`http.server stopped (${code}) before it served`)));
    });
}

// The files the server sent whole (status 200) since `from`, by name, with how often each.
function sentFiles(site, from = 0) {
    const sent = new Map();
    for (const {path, status} of site.requests.slice(from)) {
        const name = path === '/' ? 'index.html' : path.slice(1);
        if (status === 200)
            sent.set(name, (sent.get(name) ?? 0) + 1);
    }
    return sent;
}

module.exports = {serveSite, sentFiles};
